#include "CadDocument.h"

#include "ArgumentCheck.h"
#include "CadError.h"
#include "DxfError.h"
#include "DxfReader.h"
#include "DxfWriter.h"

#include <QFileInfo>

namespace {

DxfDrawing readDrawing(const QString& path)
{
    try {
        return DxfReader::readFile(path);
    } catch (const DxfError& e) {
        throw CadError(CadError::FileError, QString::fromStdString(e.what()));
    }
}

} // namespace

CadDocument::CadDocument(int number, DrawingContent::IdSource ids, QObject* parent)
    : QObject(parent), m_number(number), m_content(std::move(ids))
{
    m_content.load(DxfDrawing{});
    m_savedRevision = m_content.revision();
}

void CadDocument::setUntitledName(const QString& name)
{
    m_name = name;
    m_fullName.clear();
    emit identityChanged();
}

QString CadDocument::resolveDrawingFile(const QString& path)
{
    ArgumentCheck::path(path);
    QStringList candidates{path};
    if (path.contains(u'\\'))
        candidates << QString(path).replace(u'\\', u'/');
    for (const QString& c : QStringList(candidates))
        if (QFileInfo(c).suffix().isEmpty())
            candidates << c + QStringLiteral(".dxf");
    for (const QString& c : candidates) {
        const QFileInfo info(c);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    throw CadError(CadError::FileError, QStringLiteral("The drawing file %1 does not exist.").arg(path));
}

void CadDocument::load(const QString& path, bool readOnly)
{
    const QString file = resolveDrawingFile(path);
    const DxfDrawing drawing = readDrawing(file);
    m_content.load(drawing);
    m_fullName = file;
    m_name = QFileInfo(file).fileName();
    // Saving over a file with objects this program does not keep would lose them.
    m_skipped = drawing.skippedEntities;
    m_readOnly = readOnly || m_skipped > 0;
    m_selection.clear();
    m_savedRevision = m_content.revision();
    emit identityChanged();
    emit contentChanged();
}

void CadDocument::writeTo(const QString& path)
{
    try {
        DxfWriter::writeFile(m_content.toDxf(), path);
    } catch (const DxfError& e) {
        throw CadError(CadError::FileError, QString::fromStdString(e.what()));
    }
}

void CadDocument::save()
{
    if (m_fullName.isEmpty())
        throw CadError(CadError::FileError,
                       QStringLiteral("The drawing %1 has no file yet; save it under a name first.")
                           .arg(m_name));
    if (m_readOnly && m_skipped > 0)
        throw CadError(CadError::FileError,
                       QStringLiteral("%1 holds %2 objects this program cannot keep (paper space or "
                                      "kinds it does not draw); saving over it would lose them. Save "
                                      "the drawing under another name.")
                           .arg(m_name)
                           .arg(m_skipped));
    if (m_readOnly)
        throw CadError(CadError::FileError,
                       QStringLiteral("The drawing %1 was opened read-only; save it under another name.")
                           .arg(m_name));
    emit beginSave(m_fullName);
    writeTo(m_fullName);
    m_savedRevision = m_content.revision();
    emit identityChanged();
    emit endSave(m_fullName);
}

void CadDocument::saveAs(const QString& path)
{
    ArgumentCheck::path(path);
    QString file = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".dxf");
    emit beginSave(file);
    writeTo(file);
    m_fullName = file;
    m_name = QFileInfo(file).fileName();
    m_readOnly = false;
    m_skipped = 0;
    m_savedRevision = m_content.revision();
    emit identityChanged();
    emit endSave(file);
}

qint64 CadDocument::insertBlock(const DxfPoint& point, const QString& nameOrPath, double xs,
                                double ys, double zs, double rotationRadians)
{
    if (m_content.blockIndex(nameOrPath) < 0) {
        ArgumentCheck::path(nameOrPath);
        const bool looksLikeFile = nameOrPath.contains(u'/') || nameOrPath.contains(u'\\')
                                   || nameOrPath.endsWith(QLatin1String(".dxf"), Qt::CaseInsensitive);
        QString file;
        try {
            file = resolveDrawingFile(nameOrPath);
        } catch (const CadError&) {
            if (looksLikeFile)
                throw;
            throw CadError(CadError::NotFound,
                           QStringLiteral("The drawing has no block named \"%1\" and there is no "
                                          "drawing file of that name.")
                               .arg(nameOrPath));
        }
        const QString name = QFileInfo(file).completeBaseName();
        if (m_content.blockIndex(name) < 0) {
            // Check the placement before the file makes a definition that would stay.
            ArgumentCheck::point(point, QStringLiteral("insertion point"));
            for (double s : {xs, ys, zs})
                ArgumentCheck::scale(s, QStringLiteral("scale"));
            ArgumentCheck::finite(rotationRadians, QStringLiteral("rotation"));
            m_content.importBlock(readDrawing(file), name);
        }
        const qint64 id = m_content.insertReference(point, name, xs, ys, zs, rotationRadians);
        changed();
        return id;
    }
    const qint64 id = m_content.insertReference(point, nameOrPath, xs, ys, zs, rotationRadians);
    changed();
    return id;
}

void CadDocument::insertFileIntoBlock(qint64 blockId, const DxfPoint& point, const QString& path,
                                      double xs, double ys, double zs, double rotationRadians)
{
    const QString file = resolveDrawingFile(path);
    m_content.addDrawingToBlock(blockId, readDrawing(file), point, xs, ys, zs, rotationRadians);
    changed();
}

QVector<qint64> CadDocument::erase(const QVector<qint64>& ids)
{
    const QVector<qint64> erased = m_content.erase(ids);
    for (qint64 id : erased)
        m_selection.remove(id);
    changed();
    for (qint64 id : erased)
        emit objectErased(id);
    return erased;
}

void CadDocument::undo()
{
    const QVector<qint64> ids = m_content.undo();
    changed();
    for (qint64 id : ids)
        emit objectErased(id);
}

void CadDocument::changed()
{
    emit contentChanged();
    emit identityChanged(); // the modified mark of the window's title
}

void CadDocument::select(qint64 id)
{
    const auto l = m_content.require(id);
    if (m_content.kindOf(l) != DrawingContent::ObjectKind::Entity || l.block >= 0)
        throw CadError(CadError::InvalidArgument,
                       QStringLiteral("Only entities of the drawing can be selected."));
    m_selection.insert(id);
    emit contentChanged();
}

void CadDocument::clearSelection()
{
    m_selection.clear();
    emit contentChanged();
}
