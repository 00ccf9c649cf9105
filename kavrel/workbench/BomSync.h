#pragma once

// Keeps the BOM of a drawing in step with what the drawing file holds. Each
// placed symbol (dimension drawing) carries a state relative to the last
// save: empty = saved, "T" = placed since, "D" = erased since. The drawing
// events, the explicit synchronisation and the close of the workbench move
// those states and settle the BOM rows:
//   - saved: "T" becomes saved, "D" leaves the BOM (the item goes, or only
//     loses its link when it still has the other representation);
//   - closed without saving: what was placed since the save leaves the BOM,
//     what was erased since is back, since the file still holds it;
//   - handle synchronisation: every item looks its block up by the handle
//     kept in the drawing file and takes the object id of this session.
// Display-free; table failures arrive as TableError, a lost connection to the
// CAD as AcadError.

#include "AcadDocument.h"
#include "BomRows.h"
#include "WorkbenchModel.h"

#include <QString>
#include <functional>
#include <optional>

class BomSync
{
public:
    // Guard numbers of the traversals; the mirror image for dimension
    // drawings where it has one of its own.
    enum GuardLine
    {
        HandleSymbolsLine = 420,
        HandleDimensionsLine = 455,
        CloseBomsLine = 1059,
        CloseDiscardSymbolsLine = 1122,
        CloseDiscardDimensionsLine = 1208,
        SavedPlacedLine = 2552,
        SavedErasedLine = 2580,
        ClosingSymbolsLine = 2752,
        ClosingDimensionsLine = 2788,
        OrphansLine = 2820,
    };

    using Reporter = std::function<void(const QString& message)>;
    BomSync(WorkbenchModel& model, Reporter overrun);

    struct HandleResult
    {
        int found = 0;
        int missing = 0;
    };
    // Handle synchronisation of the BOM `bom` ("S" or "D"; others: nothing)
    // against `doc`, items from the last to the first. `progress` gets
    // (done, total) after each item. A handle the drawing does not have (or
    // whose block is erased) marks the item erased; in a drawing without
    // unsaved changes a found block is saved. A lost connection stops
    // the run, keeps what was done and throws, so that a dead CAD never
    // makes every item look erased.
    HandleResult synchronizeHandles(int bom, const AcadDocument& doc,
                                    const std::function<void(int, int)>& progress = {});

    // The CAD erased (or, undoing, restored) the object `objectId`: the
    // BOM's item of that block toggles between placed and erased. False when
    // no item has that object.
    bool objectErased(int bom, qint64 objectId);

    // The drawing of `bom` was saved to `file` (a save under another name
    // moves the BOM with it). Autosave files (".SV$") change nothing.
    void drawingSaved(int bom, const QString& file);

    // The drawing of `bom` closes without being saved: its unsaved changes
    // leave the BOM, then the BOM row is settled.
    void drawingClosing(int bom);

    // The first step of the workbench's close routine, over the BOMs of the
    // current project from the last to the first. `askReturn(name, type)`
    // asks about a drawing BOM with unsaved changes: true (go back to the CAD
    // and save) ends the routine with false; no discards its changes.
    bool closeBoms(const std::function<bool(const QString& name, const QString& type)>& askReturn);

    static bool isAutosave(const QString& file);

private:
    struct Link;
    static const Link& linkOf(const QString& type);
    using Visit = std::function<std::optional<ClientTable::Change>(int rowId)>;
    void rewrite(const QString& filter, int guardLine, const Visit& visit);
    ClientTable::Change update(int rowId, const std::vector<std::pair<int, QVariant>>& values) const;
    ClientTable::Change unlinkOrDelete(int rowId, const Link& l) const;
    void discard(int bom, const Link& l, int guardLine);
    void settle(int bom);
    void removeBom(int bom);
    int count(const QString& filter) const;
    int field(const char* name) const;

    WorkbenchModel& m_model;
    BomRows m_rows;
    Reporter m_overrun;
};
