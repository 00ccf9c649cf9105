#pragma once

#include "ConfigAccess.h"

#include <QRect>

// Where the workbench window was when it was last closed: section
// "OknoKosovnica", keys Left, Top, Width, Height and PanelHeight (the height
// of the upper panel).
struct WorkbenchPlacement
{
    QRect geometry;
    int panelHeight = 110;
    // True only when all five keys are present and whole numbers; otherwise
    // the catalogue window places the workbench when it first shows it.
    bool stored = false;

    // Keys that are absent or not whole numbers keep `current` (and 110 for
    // the panel).
    static WorkbenchPlacement load(const ConfigAccess& config, const QRect& current);
    bool save(const ConfigAccess& config) const;
};
