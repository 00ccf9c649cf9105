#pragma once

#include <QList>

// The commands of curvata's main window by their identifiers, and the one
// place that decides whether each is enabled and checked from the state of
// the chart view. Menu items and toolbar buttons of one command share this
// answer, and tests ask it without a window.
class ChartCommandState
{
public:
    enum Id
    {
        // File
        FileNew = 57600,
        FileOpen = 57601,
        FileSave = 57603,
        FileSaveAs = 57604,
        FilePrint = 57607,
        FilePrintPreview = 57609,
        FilePrintSetup = 57606,
        FileRecent = 57616,
        FileExportChart = 32900, // our own: the chart as PNG, PDF or SVG
        AppExit = 57665,
        // Edit: nothing handles these, they stay disabled
        EditUndo = 57643,
        EditCut = 57635,
        EditCopy = 57634,
        EditPaste = 57637,
        // Actions (32804 and 32803 are the toolbar's ids of 32771 and 32778)
        SelectFuses = 32771,
        SelectFusesButton = 32804,
        SelectCharacteristic = 32781,
        DrawTable = 32778,
        DrawTableButton = 32803,
        MoveConstLines = 32790,
        ManageConstLines = 32791,
        // Zoom
        ZoomNone = 32802,
        ZoomIn = 32800,
        ZoomOut = 32801,
        ZoomRectangle = 32798,
        ZoomDrag = 32799,
        ZoomRandom = 32797,
        // Property
        Grid = 32775,
        Boundary = 32776,
        Legend = 32784,
        TablePoints = 32792,
        BackColor = 32777,
        ScientificScale = 32795,
        // View and Help
        ViewToolbar = 59392,
        ViewStatusBar = 59393,
        AppAbout = 57664,
    };

    // What the answer depends on, taken from the view.
    struct Inputs
    {
        int zoomMode = 0; // ChartZoom::Mode
        bool canZoomIn = true;
        bool canZoomOut = false;
        bool zoomed = false;
        bool moveMode = false;
        bool anyConstLine = false;
        int fuseCount = 0;
        bool chartReady = false;
        bool grid = true;
        bool boundary = false;
        bool legend = true;
        bool tablePoints = true;
        bool scientific = false;
        bool toolbarVisible = true;
        bool statusBarVisible = true;
    };

    struct State
    {
        bool enabled = true;
        bool checkable = false;
        bool checked = false;
    };

    static State Of(int id, const Inputs& in);
    // The toolbar's second id of a command, mapped to the menu's.
    static int Canonical(int id);
};
