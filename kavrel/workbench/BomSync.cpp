#include "BomSync.h"

#include "AcadEntity.h"
#include "AcadError.h"
#include "LoopGuard.h"

#include <QRegularExpression>
#include <cmath>

// The fields of one representation (symbol or dimension drawing) and of the
// other one, which keeps an item alive when this one goes.
struct BomSync::Link
{
    const char* link;  // L1SYM
    const char* other; // L1DIM
    const char* id;    // SymID
    const char* handle; // SymHID
    const char* state; // STATUSS
    int handleLine, closingLine, closeDiscardLine;
};

namespace {

const QString kEmpty;
const QString kPlaced = QStringLiteral("T");
const QString kErased = QStringLiteral("D");

double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

bool isDrawingBom(const QString& type)
{
    return type == u"S" || type == u"D";
}

} // namespace

BomSync::BomSync(WorkbenchModel& model, Reporter overrun)
    : m_model(model), m_rows(model.tables()), m_overrun(std::move(overrun))
{
}

const BomSync::Link& BomSync::linkOf(const QString& type)
{
    static const Link symbol{"L1SYM", "L1DIM", "SymID", "SymHID", "STATUSS",
                             HandleSymbolsLine, ClosingSymbolsLine, CloseDiscardSymbolsLine};
    static const Link dimension{"L1DIM", "L1SYM", "DimID", "DimHID", "STATUSD",
                                HandleDimensionsLine, ClosingDimensionsLine,
                                CloseDiscardDimensionsLine};
    return type == u"D" ? dimension : symbol;
}

bool BomSync::isAutosave(const QString& file)
{
    return file.toUpper().endsWith(QLatin1String(".SV$"));
}

int BomSync::field(const char* name) const
{
    return m_model.tables().itemTable().schema().fieldIndex(QLatin1String(name));
}

int BomSync::count(const QString& filter) const
{
    TableView v(m_model.tables().itemTable());
    v.setFilter(filter);
    return v.recordCount();
}

ClientTable::Change BomSync::update(int rowId,
                                    const std::vector<std::pair<int, QVariant>>& values) const
{
    const ClientTable& items = m_model.tables().itemTable();
    ClientTable::Change c{ClientTable::Change::Update, rowId, {}};
    c.values.reserve(size_t(items.fieldCount()));
    for (int f = 0; f < items.fieldCount(); ++f)
        c.values.push_back(items.cell(rowId, f));
    for (const auto& [f, v] : values)
        c.values[size_t(f)] = v;
    return c;
}

// A representation leaves the BOM: the item goes unless it still has the
// other one, in which case only its link to this drawing is cleared.
ClientTable::Change BomSync::unlinkOrDelete(int rowId, const Link& l) const
{
    const ClientTable& items = m_model.tables().itemTable();
    if (number(items.cell(rowId, field(l.other))) < 1)
        return {ClientTable::Change::Delete, rowId, {}};
    return update(rowId, {{field(l.link), 0}, {field(l.id), 0.0}, {field(l.handle), kEmpty},
                          {field(l.state), kEmpty}});
}

// Visits the rows of `filter` from the last to the first and stores what the
// visits return in one transaction; an overrun stops the traversal and keeps
// what was collected.
void BomSync::rewrite(const QString& filter, int guardLine, const Visit& visit)
{
    WorkbenchTables& t = m_model.tables();
    if (!t.itemsOpen())
        return;
    std::vector<ClientTable::Change> changes;
    {
        TableView work(t.itemTable());
        work.setFilter(filter);
        LoopGuard guard(guardLine, m_overrun);
        for (int pos = work.recordCount(); pos >= 1; --pos) {
            if (!guard.pass())
                break;
            if (auto c = visit(work.rowIdAt(pos)))
                changes.push_back(std::move(*c));
        }
    }
    if (!changes.empty())
        t.commitItems(changes);
}

BomSync::HandleResult BomSync::synchronizeHandles(int bom, const AcadDocument& doc,
                                                  const std::function<void(int, int)>& progress)
{
    HandleResult result;
    const auto b = m_rows.byKey(bom);
    WorkbenchTables& t = m_model.tables();
    if (!b || !isDrawingBom(b->type) || !t.itemsOpen())
        return result;
    const Link& l = linkOf(b->type);
    ClientTable& items = t.itemTable();
    const int fId = field(l.id), fHandle = field(l.handle), fState = field(l.state);

    std::vector<int> rows;
    {
        TableView work(items);
        work.setFilter(QStringLiteral("%1=%2").arg(QLatin1String(l.link)).arg(bom));
        LoopGuard guard(l.handleLine, m_overrun);
        for (int pos = work.recordCount(); pos >= 1; --pos) {
            if (!guard.pass())
                break;
            rows.push_back(work.rowIdAt(pos));
        }
    }
    std::vector<ClientTable::Change> changes;
    const auto store = [&] {
        if (!changes.empty())
            t.commitItems(changes);
        changes.clear();
    };
    // A drawing without changes is what its file holds, so a block found in
    // it is saved whatever state the BOM remembers: the save may have come
    // while the workbench was not running, and a remembered "T" would then
    // drop the item when the drawing closes unchanged.
    const bool asFiled = !rows.empty() && doc.isSaved();
    int done = 0;
    for (int row : rows) {
        const QString state = items.cell(row, fState).toString();
        if (state.isEmpty() || state == kPlaced || state == kErased) {
            try {
                const AcadEntity e = doc.handleToObject(items.cell(row, fHandle).toString());
                const qint64 id = e.objectId();
                const QString found = asFiled ? QString() : state == kErased ? kPlaced : state;
                changes.push_back(update(row, {{fId, double(id)}, {fState, found}}));
                ++result.found;
            } catch (const AcadError& e) {
                // A dead CAD says nothing about the drawing: keep what was
                // learnt so far and let the caller report the lost connection.
                if (e.kind() != AcadError::Kind::NotFound && e.kind() != AcadError::Kind::Erased) {
                    store();
                    throw;
                }
                changes.push_back(update(row, {{fId, 0.0}, {fState, kErased}}));
                ++result.missing;
            }
        }
        if (progress)
            progress(++done, int(rows.size()));
    }
    store();
    return result;
}

bool BomSync::objectErased(int bom, qint64 objectId)
{
    const auto b = m_rows.byKey(bom);
    WorkbenchTables& t = m_model.tables();
    if (!b || !isDrawingBom(b->type) || !t.itemsOpen())
        return false;
    const Link& l = linkOf(b->type);
    ClientTable& items = t.itemTable();
    const int fLink = field(l.link), fId = field(l.id), fState = field(l.state);
    for (int row = items.rowSlots() - 1; row >= 0; --row) {
        if (!items.isLive(row) || number(items.cell(row, fLink)) != bom ||
            std::llround(number(items.cell(row, fId))) != objectId)
            continue;
        // The CAD reports an undone erase as an erase of the same object.
        const QString next = items.cell(row, fState).toString() == kErased ? kPlaced : kErased;
        std::vector<ClientTable::Change> changes{update(row, {{fState, next}})};
        t.commitItems(changes);
        return true;
    }
    return false;
}

void BomSync::drawingSaved(int bom, const QString& file)
{
    const auto b = m_rows.byKey(bom);
    if (isAutosave(file) || !b || !isDrawingBom(b->type))
        return;
    const Link& l = linkOf(b->type);
    const QString ofBom = QStringLiteral("%1=%2").arg(QLatin1String(l.link)).arg(bom);
    const int fState = field(l.state);
    const ClientTable& items = m_model.tables().itemTable();
    rewrite(ofBom, SavedPlacedLine, [&](int row) -> std::optional<ClientTable::Change> {
        if (items.cell(row, fState).toString() != kPlaced)
            return std::nullopt;
        return update(row, {{fState, kEmpty}});
    });
    rewrite(ofBom, SavedErasedLine, [&](int row) -> std::optional<ClientTable::Change> {
        if (items.cell(row, fState).toString() != kErased)
            return std::nullopt;
        return unlinkOrDelete(row, l);
    });
    std::vector<std::pair<QString, QVariant>> values;
    if (b->file != file) {
        // Saved under another name: the BOM follows the drawing.
        values.emplace_back(QStringLiteral("Name"),
                            file.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1));
        values.emplace_back(QStringLiteral("File"), file);
    }
    if (b->status == kPlaced)
        values.emplace_back(QStringLiteral("Status"), QStringLiteral("V"));
    if (!values.empty())
        m_rows.update(bom, values);
}

// What the drawing gained since its last save leaves the BOM. What it lost
// since is back: the file still holds those blocks. (A block erased before
// it was ever saved is marked again by the next handle synchronisation and
// leaves at the next save.)
void BomSync::discard(int bom, const Link& l, int guardLine)
{
    const int fState = field(l.state);
    const ClientTable& items = m_model.tables().itemTable();
    rewrite(QStringLiteral("%1=%2").arg(QLatin1String(l.link)).arg(bom), guardLine,
            [&](int row) -> std::optional<ClientTable::Change> {
                const QString state = items.cell(row, fState).toString();
                if (state == kPlaced)
                    return unlinkOrDelete(row, l);
                if (state == kErased)
                    return update(row, {{fState, kEmpty}});
                return std::nullopt;
            });
}

void BomSync::drawingClosing(int bom)
{
    const auto b = m_rows.byKey(bom);
    if (!b)
        return;
    if (isDrawingBom(b->type)) {
        const Link& l = linkOf(b->type);
        discard(bom, l, l.closingLine);
    }
    settle(bom);
}

// A drawing BOM after its drawing is gone: it stays while it holds blocks;
// without them its no-CAD items keep it as a list; otherwise it goes, as does
// every BOM of a drawing that never received anything.
void BomSync::settle(int bom)
{
    const auto b = m_rows.byKey(bom);
    if (!b)
        return;
    if (b->type == u"T") {
        removeBom(bom);
        return;
    }
    const QString links = isDrawingBom(b->type)
                              ? QStringLiteral("%1=%2").arg(QLatin1String(linkOf(b->type).link)).arg(bom)
                              : QString();
    if (!links.isEmpty() && count(links) > 0) {
        if (b->status == kPlaced)
            m_rows.update(bom, {{QStringLiteral("Status"), QStringLiteral("V")}});
    } else if (count(QStringLiteral("(L1NAR=%1) AND (STATUS='N')").arg(bom)) > 0) {
        m_rows.update(bom, {{QStringLiteral("Type"), QStringLiteral("N")},
                            {QStringLiteral("Name"), m_model.listName()},
                            {QStringLiteral("Status"), QStringLiteral("V")}});
    } else {
        removeBom(bom);
        return;
    }
    if (bom == m_model.currentBom())
        m_model.rebuildItemView(); // the Type decides the view and what may be inserted
}

// The row goes without the usual cascade: its placed items were settled
// already. Its no-CAD items go with it unless they were placed since (then
// another BOM holds them).
void BomSync::removeBom(int bom)
{
    const int fSym = field("L1SYM"), fDim = field("L1DIM");
    const ClientTable& items = m_model.tables().itemTable();
    rewrite(QStringLiteral("(L1NAR=%1) AND (STATUS='N')").arg(bom), OrphansLine,
            [&](int row) -> std::optional<ClientTable::Change> {
                if (number(items.cell(row, fSym)) >= 1 || number(items.cell(row, fDim)) >= 1)
                    return std::nullopt;
                return ClientTable::Change{ClientTable::Change::Delete, row, {}};
            });
    m_rows.remove(bom);
}

bool BomSync::closeBoms(
    const std::function<bool(const QString& name, const QString& type)>& askReturn)
{
    const int project = m_model.currentProject();
    if (project == 0)
        return true;
    const std::vector<int> boms = m_rows.ofProject(project);
    LoopGuard guard(CloseBomsLine, m_overrun);
    for (auto it = boms.rbegin(); it != boms.rend(); ++it) {
        if (!guard.pass())
            break;
        const auto b = m_rows.byKey(*it);
        if (!b)
            continue;
        if (isDrawingBom(b->type) && b->status == kPlaced) {
            if (askReturn && askReturn(b->name, b->type))
                return false;
            const Link& l = linkOf(b->type);
            discard(*it, l, l.closeDiscardLine);
            settle(*it);
        } else if (b->type == u"T") {
            removeBom(*it);
        } else if (b->status == kPlaced) {
            m_rows.update(*it, {{QStringLiteral("Status"), QStringLiteral("V")}});
        }
    }
    return true;
}
