#pragma once

#include "ProductDrawings.h"
#include "WorkbenchModel.h"

// Where the next insertion takes its product from, as far as the insert
// commands depend on it: the catalogue's product under focus, or the item
// selected in the item grid with the links it has already.
struct InsertSource
{
    bool bomItem = false;
    ProductDrawings drawings;
    int l1sym = 0; // the item's links (BOM item mode)
    int l1dim = 0;

    // The source has a drawing of that kind and, for an item, lacks that
    // representation. A list item (links -1) lacks both.
    bool offers(BlockKind kind) const;

    // The insert-command rule: the source offers the kind, the current BOM
    // takes it, and the current BOM is the one of the drawing current in the
    // CAD (its Name equals the drawing's, compared exactly).
    bool allows(BlockKind kind, const InsertPermissions& permissions, const QString& bomName,
                const QString& drawingName) const;
};
