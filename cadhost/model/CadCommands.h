#pragma once

#include <QString>
#include <QVector>

#include <functional>

class CadApplication;
class CadDocument;

// The commands a person gives at the drawing windows, each with the events it
// fires: BeginCommand/EndCommand around it (EndCommand also when it fails), and
// BeginModal/EndModal around the dialogs it shows. The windows' menus and the
// automation's control interface both run them, so both fire the same events.
// The dialogs themselves are callbacks: the windows show real ones, the control
// interface answers them.
class CadCommands
{
public:
    enum class SaveAnswer { Save, Discard, Cancel };
    // Returns the chosen file, empty when the person cancels.
    using AskPath = std::function<QString()>;
    using AskSave = std::function<SaveAnswer(CadDocument*)>;

    explicit CadCommands(CadApplication& app) : m_app(app) {}

    void erase(CadDocument* document, const QVector<qint64>& ids); // ERASE
    void undo(CadDocument* document);                             // U
    // QSAVE; a drawing without a file asks for one as Save As does.
    void save(CadDocument* document, const AskPath& askPath);
    void saveAs(CadDocument* document, const AskPath& askPath);   // SAVEAS
    CadDocument* open(const AskPath& askPath);                    // OPEN; null when cancelled
    CadDocument* newDocument();                                   // NEW
    // CLOSE; asks about saving when the drawing has changes. False when cancelled.
    bool close(CadDocument* document, const AskSave& askSave);
    // QUIT; asks about every changed drawing; false when cancelled.
    bool quit(const AskSave& askSave);
    void zoomExtents(CadDocument* document);                      // ZOOM
    // Runs the macro of a loaded menu's item; the error text when it cannot.
    QString runMacro(const QString& macro);

private:
    CadApplication& m_app;
};
