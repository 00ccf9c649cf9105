#include "CadCommands.h"

#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"
#include "MenuGroups.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>

namespace {

// BeginCommand now, EndCommand when the scope ends, however it ends. The
// document's events reach the application too; a document closed by then
// (CLOSE) sends nothing more: the command ends at the application alone.
class CommandScope
{
public:
    CommandScope(CadApplication& app, CadDocument* document, const QString& name)
        : m_app(app), m_document(document), m_name(name)
    {
        if (m_document)
            m_document->fireBeginCommand(m_name);
        else
            m_app.fireBeginCommand(m_name);
    }
    ~CommandScope()
    {
        if (m_document && m_app.documents().contains(m_document))
            m_document->fireEndCommand(m_name);
        else
            m_app.fireEndCommand(m_name);
    }

private:
    CadApplication& m_app;
    QPointer<CadDocument> m_document;
    QString m_name;
};

class ModalScope
{
public:
    explicit ModalScope(CadApplication& app) : m_app(app) { m_app.fireBeginModal(); }
    ~ModalScope() { m_app.fireEndModal(); }

private:
    CadApplication& m_app;
};

CadDocument* require(CadDocument* document)
{
    if (!document)
        throw CadError(CadError::NotFound, QStringLiteral("No drawing is open."));
    return document;
}

QString ask(CadApplication& app, const CadCommands::AskPath& askPath)
{
    ModalScope modal(app);
    return askPath();
}

} // namespace

void CadCommands::erase(CadDocument* document, const QVector<qint64>& ids)
{
    CommandScope scope(m_app, require(document), QStringLiteral("ERASE"));
    document->erase(ids);
}

void CadCommands::undo(CadDocument* document)
{
    CommandScope scope(m_app, require(document), QStringLiteral("U"));
    document->undo();
}

void CadCommands::save(CadDocument* document, const AskPath& askPath)
{
    CommandScope scope(m_app, require(document), QStringLiteral("QSAVE"));
    if (!document->fullName().isEmpty() && !document->isReadOnly()) {
        document->save();
        return;
    }
    const QString path = ask(m_app, askPath);
    if (!path.isEmpty())
        document->saveAs(path);
}

void CadCommands::saveAs(CadDocument* document, const AskPath& askPath)
{
    CommandScope scope(m_app, require(document), QStringLiteral("SAVEAS"));
    const QString path = ask(m_app, askPath);
    if (!path.isEmpty())
        document->saveAs(path);
}

CadDocument* CadCommands::open(const AskPath& askPath)
{
    CommandScope scope(m_app, m_app.activeDocument(), QStringLiteral("OPEN"));
    const QString path = ask(m_app, askPath);
    return path.isEmpty() ? nullptr : m_app.openDocument(path, false);
}

CadDocument* CadCommands::newDocument()
{
    CommandScope scope(m_app, m_app.activeDocument(), QStringLiteral("NEW"));
    return m_app.addDocument();
}

bool CadCommands::close(CadDocument* document, const AskSave& askSave)
{
    CommandScope scope(m_app, require(document), QStringLiteral("CLOSE"));
    SaveAnswer answer = SaveAnswer::Discard;
    if (document->isModified()) {
        ModalScope modal(m_app);
        answer = askSave(document);
    }
    if (answer == SaveAnswer::Cancel)
        return false;
    m_app.closeDocument(document, answer == SaveAnswer::Save);
    return true;
}

bool CadCommands::quit(const AskSave& askSave)
{
    CommandScope scope(m_app, m_app.activeDocument(), QStringLiteral("QUIT"));
    QList<CadDocument*> toSave;
    for (CadDocument* d : m_app.documents()) {
        if (!d->isModified())
            continue;
        SaveAnswer answer;
        {
            ModalScope modal(m_app);
            answer = askSave(d);
        }
        if (answer == SaveAnswer::Cancel)
            return false;
        if (answer == SaveAnswer::Save)
            toSave.append(d);
    }
    for (CadDocument* d : toSave)
        d->save(); // a failure stops the quit with the drawing still open
    m_app.quit();
    return true;
}

void CadCommands::zoomExtents(CadDocument* document)
{
    CommandScope scope(m_app, require(document), QStringLiteral("ZOOM"));
    m_app.requestZoomExtents(document);
}

QString CadCommands::runMacro(const QString& macro)
{
    const auto [program, argument] = MenuGroups::startApp(macro);
    if (program.isEmpty())
        return QStringLiteral("The menu item runs nothing this program knows: %1").arg(macro);
    // Menus written on Windows name "program.exe"; here the program has no suffix.
    QString exe = program;
    if (!QFileInfo(exe).isFile() && exe.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)
        && QFileInfo(exe.chopped(4)).isFile())
        exe.chop(4);
    const QStringList args = argument.isNull() ? QStringList() : QStringList{argument};
    // No shell: the argument reaches the program as it stands.
    if (!QProcess::startDetached(exe, args))
        return QStringLiteral("The program %1 cannot be started.").arg(program);
    return QString();
}
