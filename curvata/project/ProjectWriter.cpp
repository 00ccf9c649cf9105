#include "ProjectWriter.h"

#include "FuseModel.h"
#include "NumberText.h"
#include "PointTableModel.h"
#include "ProfileDocument.h"
#include "ProjectFileNames.h"
#include "ProjectView.h"
#include "WinPath.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

// Writes the entries of one section and remembers what could not be
// written so that it reads back: a key the file format cannot hold, or a
// key that differs from an earlier one only in case (the reading would
// find the earlier one's value).
class SectionWriter
{
public:
    // With `entries` each key is an entry of its own (a constant line), so
    // a second one of the same name cannot be stored and is reported.
    SectionWriter(ProfileDocument& document, const QString& section, QStringList& skipped,
                  bool entries = false)
        : m_document(document), m_section(section), m_skipped(skipped), m_entries(entries)
    {
    }

    void write(const QString& key, const QString& value)
    {
        QString problem = ProfileDocument::checkKey(key);
        if (problem.isEmpty() && key.trimmed() != key)
            problem = QStringLiteral("blanks at the ends of a name are lost");
        if (problem.isEmpty())
            problem = ProfileDocument::checkValue(value);
        const QString folded = key.toCaseFolded();
        if (problem.isEmpty()) {
            const auto earlier = m_written.constFind(folded);
            if (earlier != m_written.constEnd()) {
                // The same name twice reads back the same; only a name
                // that differs in case loses its entry.
                if (*earlier == key && !m_entries)
                    return;
                problem = *earlier == key
                              ? QStringLiteral("another entry of the same name is stored")
                              : QStringLiteral("differs from '%1' only in case").arg(*earlier);
            }
        }
        if (!problem.isEmpty()) {
            m_skipped << QStringLiteral("[%1] '%2': %3").arg(m_section, key, problem);
            return;
        }
        m_written.insert(folded, key);
        m_document.setValue(m_section, key, value);
    }

private:
    ProfileDocument& m_document;
    QString m_section;
    QStringList& m_skipped;
    bool m_entries;
    QHash<QString, QString> m_written;
};

} // namespace

QString ProjectWriteResult::skippedMessage() const
{
    if (skipped.isEmpty())
        return QString();
    QString text = QStringLiteral("The project was saved, but these entries could not be stored:");
    for (const QString& entry : skipped)
        text += QStringLiteral("\n\t- ") + entry;
    return text;
}

QStringList ProjectWriter::write(ProfileDocument& document, const ProjectView& view)
{
    namespace names = ProjectFileNames;
    for (const QString& section : {names::Fuses, names::Characteristic, names::XConstLines,
                                   names::YConstLines, names::Table})
        document.removeSection(section);

    QStringList skipped;
    SectionWriter fuses(document, names::Fuses, skipped);
    for (const Fuse* fuse : view.selectedFuses())
        fuses.write(fuse->name(), QString());

    if (const CharacteristicType* type = view.characteristic())
        SectionWriter(document, names::Characteristic, skipped).write(type->name(), QString());

    SectionWriter xLines(document, names::XConstLines, skipped, true);
    for (const ConstLine& line : view.constLines(ConstLineKind::X))
        xLines.write(line.name, NumberText::general(double(line.x1)));
    SectionWriter yLines(document, names::YConstLines, skipped, true);
    for (const ConstLine& line : view.constLines(ConstLineKind::Y))
        yLines.write(line.name, NumberText::general(double(line.y1)));

    const PointTableModel* table = view.table();
    if (table && table->gridColumnCount() > PointTableModel::FixedColumns) {
        SectionWriter entries(document, names::Table, skipped);
        entries.write(names::NumberOfColumns,
                      QString::number(table->gridColumnCount() - PointTableModel::FixedColumns));
        for (int row = 1; row < table->gridRowCount(); ++row) {
            for (int column = PointTableModel::FixedColumns; column < table->gridColumnCount();
                 ++column) {
                if (table->isUserEntered(row, column))
                    entries.write(names::tableKey(column - 1, table->text(row, 0)),
                                  table->text(row, column));
            }
        }
    }
    return skipped;
}

ProjectWriteResult ProjectWriter::writeFile(const QString& path, const ProjectView& view)
{
    ProjectWriteResult result;
    const QString native = WinPath::toNative(path);
    QByteArray existing;
    const QFileInfo info(native);
    if (info.exists()) {
        // Replacing the file would get round a read-only file's protection;
        // no write permission bit at all counts as read-only also for a
        // user who could override it.
        constexpr QFile::Permissions anyWrite =
            QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!info.isWritable() || !(info.permissions() & anyWrite)) {
            result.error = QStringLiteral("The file is read-only.");
            return result;
        }
        // The sections of other programs or later versions stay in the file.
        QFile in(native);
        if (!in.open(QIODevice::ReadOnly)) {
            result.error = in.errorString();
            return result;
        }
        existing = in.readAll();
    }
    ProfileDocument document(existing);
    result.skipped = write(document, view);

    // All entries at once and atomically: a failed save leaves the old
    // file as it was.
    QSaveFile out(native);
    out.setDirectWriteFallback(false);
    const QByteArray bytes = document.toBytes();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        result.error = out.errorString();
        return result;
    }
    result.written = true;
    return result;
}
