#include "ChartCommandState.h"

#include "ChartZoom.h"

namespace {

ChartCommandState::State enabled(bool on)
{
    return ChartCommandState::State{on, false, false};
}

ChartCommandState::State toggle(bool checked, bool on = true)
{
    return ChartCommandState::State{on, true, checked};
}

} // namespace

int ChartCommandState::Canonical(int id)
{
    switch (id) {
    case SelectFusesButton:
        return SelectFuses;
    case DrawTableButton:
        return DrawTable;
    default:
        return id;
    }
}

ChartCommandState::State ChartCommandState::Of(int id, const Inputs& in)
{
    switch (Canonical(id)) {
    case EditUndo:
    case EditCut:
    case EditCopy:
    case EditPaste:
        return enabled(false);
    case FileExportChart:
        return enabled(in.chartReady);
    case MoveConstLines:
        // Also while move mode is on without lines (all removed meanwhile):
        // it would otherwise keep the mouse from the zoom modes for good.
        return toggle(in.moveMode, in.anyConstLine || in.moveMode);
    case ManageConstLines:
        return enabled(in.fuseCount > 0);
    case ZoomNone:
        return toggle(in.zoomMode == ChartZoom::None);
    case ZoomIn:
        return toggle(in.zoomMode == ChartZoom::In, in.canZoomIn);
    case ZoomOut:
        return toggle(in.zoomMode == ChartZoom::Out, in.canZoomOut);
    case ZoomRectangle:
        return toggle(in.zoomMode == ChartZoom::Rectangle);
    case ZoomDrag:
        return toggle(in.zoomMode == ChartZoom::Drag, in.zoomed);
    case Grid:
        return toggle(in.grid);
    case Boundary:
        return toggle(in.boundary);
    case Legend:
        return toggle(in.legend);
    case TablePoints:
        return toggle(in.tablePoints);
    case ScientificScale:
        return toggle(in.scientific);
    case ViewToolbar:
        return toggle(in.toolbarVisible);
    case ViewStatusBar:
        return toggle(in.statusBarVisible);
    default:
        // Select fuses and characteristic, Draw table, Random, Back Color,
        // the document, printing, Exit and About.
        return enabled(true);
    }
}
