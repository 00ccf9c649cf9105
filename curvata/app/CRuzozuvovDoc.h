#pragma once

#include "CurvataFileDialog.h"

#include <QString>
#include <functional>

class AppSettings;
class CharacteristicTypeTable;
class CRuzozuvovView;
class FuseDatabase;
class QWidget;

// The document of curvata: a project file's path and title, and the File
// commands New, Open, Save and Save As, which read and fill the chart view.
// Everything a project holds lives in the view and its table of points.
class CRuzozuvovDoc
{
public:
    static const QString FileFilter;
    using DatabaseProvider = std::function<const FuseDatabase&()>;
    using TypesProvider = std::function<const CharacteristicTypeTable&()>;

    // The database is asked for only when a project is opened, after it
    // has been loaded at start-up.
    CRuzozuvovDoc(DatabaseProvider database, TypesProvider types, AppSettings* settings);

    const QString& PathName() const { return m_path; }
    const QString& Title() const { return m_title; }
    // Called with every new title (the frame shows "<title> - Curvata").
    void SetTitleObserver(std::function<void(const QString&)> observer)
    {
        m_titleObserver = std::move(observer);
    }
    void SetFileChooser(CurvataFileDialog::Chooser chooser) { m_choose = std::move(chooser); }

    void OnFileNew(CRuzozuvovView& view);
    void OnFileOpen(CRuzozuvovView& view);
    void OnFileSave(CRuzozuvovView& view);
    void OnFileSaveAs(CRuzozuvovView& view);
    // A file of the recent-file list: as Open, without the open dialog.
    void OnOpenRecentFile(CRuzozuvovView& view, const QString& path);

    // Reads the project at `path` into the view; the document takes the
    // path. True when the whole project was read.
    bool OpenProject(CRuzozuvovView& view, const QString& path);
    // Writes the view's project to the document's path; false (after
    // telling the user) when the file could not be written.
    bool WriteProject(CRuzozuvovView& view);

private:
    // Asks to save a selection before it is replaced; false on Cancel.
    bool SaveModified(CRuzozuvovView& view);
    QString Choose(QWidget* parent, CurvataFileDialog::Mode mode);
    void SetTitle(const QString& title);

    DatabaseProvider m_database;
    TypesProvider m_types;
    AppSettings* m_settings;
    CurvataFileDialog::Chooser m_choose;
    std::function<void(const QString&)> m_titleObserver;
    QString m_path;
    QString m_title = QStringLiteral("Untitled");
};
