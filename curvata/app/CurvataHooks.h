#pragma once

#include <QString>
#include <functional>

class CRuzozuvovView;

// Where the dialogs and the project document plug into the main frame's
// commands. The frame owns one set (CMainFrame::Hooks()); the application
// fills it in CRuzozuvovApp::InstallHooks. An empty hook leaves its command
// available but inert: the frame says in the status bar that the command
// cannot be used yet.
//
// The frame has already done the view's part before a hook runs:
// - drawTable runs only while no table of points is open (an open one is
//   brought to the front instead) and at least one fuse is selected (else
//   "There are no fuses selected!");
// - manageConstLines runs only while no Const Lines window is open.
// A hook that opens a modeless window hands it to the view
// (SetTableWindow, SetConstLinesWindow) so that the view can find, raise and
// close it.
struct CurvataHooks
{
    using ViewCommand = std::function<void(CRuzozuvovView& view)>;

    // Actions menu and toolbar.
    ViewCommand selectFuses;
    ViewCommand selectCharacteristic;
    ViewCommand drawTable;
    ViewCommand manageConstLines;

    // File menu: the document's commands. They read and fill the view and
    // set the frame's title through CMainFrame::SetDocumentTitle.
    ViewCommand fileNew;
    ViewCommand fileOpen;
    ViewCommand fileSave;
    ViewCommand fileSaveAs;
    // A file chosen from the recent-file list of the File menu.
    std::function<void(CRuzozuvovView& view, const QString& path)> openRecentFile;
};
