#include "BomSummary.h"

#include "LoopGuard.h"
#include "WorkbenchModel.h"

#include <cmath>
#include <optional>

namespace {

double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

const QString kSummaryFilter = QStringLiteral("SumKol>0");

} // namespace

BomSummary::BomSummary(WorkbenchModel& model, QObject* parent) : QObject(parent), m_model(model)
{
    const auto follow = [this] {
        if (m_active)
            recompute();
    };
    connect(&model, &WorkbenchModel::itemsChanged, this, follow);
    connect(&model, &WorkbenchModel::itemViewRebuilt, this, follow);
    connect(&model, &WorkbenchModel::currentBomChanged, this, follow);
    connect(&model, &WorkbenchModel::projectChanged, this, follow);
}

BomSummary::~BomSummary()
{
    if (!m_active)
        return;
    try {
        setActive(false); // TNarUN must not keep a filter on sums nobody computes
    } catch (const TableError&) {
    }
}

void BomSummary::report(const QString& message)
{
    emit m_model.overrun(message);
}

void BomSummary::setActive(bool on)
{
    WorkbenchTables& t = m_model.tables();
    if (on == m_active || !t.isOpen())
        return;
    if (!on) {
        m_active = false;
        m_sums.clear();
        t.setSummary({});
        t.TNarUN.setFilter(QString());
        emit changed();
        return;
    }
    t.narUnTable().save();
    registerCodes();
    m_sums = compute(m_model.currentBomType(), m_model.currentBom());
    t.setSummary([this](const QString& ident) {
        const auto it = m_sums.constFind(ident);
        return it == m_sums.constEnd() ? std::pair(0.0, 0.0) : std::pair(it->kol, it->vred);
    });
    t.TNarUN.setFilter(kSummaryFilter);
    m_active = true;
    emit changed();
}

void BomSummary::recompute()
{
    if (m_recomputing)
        return;
    m_recomputing = true;
    try {
        registerCodes();
        m_sums = compute(m_model.currentBomType(), m_model.currentBom());
        m_model.tables().TNarUN.refresh();
    } catch (...) {
        m_recomputing = false;
        throw;
    }
    m_recomputing = false;
    emit changed();
}

// TNarUN is meant to hold every code ever added; a code it lacks (a product
// file from another installation, items made by an older version) would
// leave its items out of the summary without a word. Such codes are added
// as the commands that add items would have added them.
void BomSummary::registerCodes()
{
    WorkbenchTables& t = m_model.tables();
    if (!t.itemsOpen())
        return;
    ClientTable& items = t.itemTable();
    const int fIdent = items.schema().fieldIndex(QStringLiteral("Ident"));
    const int fName = items.schema().fieldIndex(QStringLiteral("NAZIV"));
    ClientTable& codes = t.narUnTable();
    const int fCode = codes.schema().fieldIndex(QStringLiteral("Ident"));
    const int fNaziv = codes.schema().fieldIndex(QStringLiteral("Naziv"));
    TableView known(codes);
    known.setIndexName(QStringLiteral("TNarUNIndex1"));
    std::vector<ClientTable::Change> missing;
    QString previous;
    bool first = true;
    for (int row : items.orderBy({fIdent})) {
        const QString code = items.cell(row, fIdent).toString();
        if (!first && code == previous)
            continue;
        first = false;
        previous = code;
        if (known.findKey({code}))
            continue;
        ClientTable::Change c;
        c.values.resize(size_t(codes.fieldCount()));
        c.values[size_t(fCode)] = code;
        c.values[size_t(fNaziv)] = items.cell(row, fName).toString().left(50);
        missing.push_back(std::move(c));
    }
    // In one transaction: a file that lacks thousands of codes is mended
    // at once, not one write per code.
    if (!missing.empty())
        codes.commit(missing);
}

QHash<QString, BomSummary::Sums> BomSummary::compute(const QString& type, int k)
{
    QHash<QString, Sums> sums;
    WorkbenchTables& t = m_model.tables();
    const bool symbol = type == u"S";
    const bool dimension = type == u"D";
    if (!t.itemsOpen() || k == 0 || (!symbol && !dimension && type != u"N" && type != u"T"))
        return sums;
    ClientTable& items = t.itemTable();
    const TableSchema& s = items.schema();
    const auto field = [&s](const char* name) { return s.fieldIndex(QLatin1String(name)); };
    const int fIdent = field("Ident"), fKol = field("Kol"), fVred = field("Vred"),
              fList = field("L1NAR");
    const int fLink = field(symbol ? "L1SYM" : "L1DIM");
    const int fState = field(symbol ? "STATUSS" : "STATUSD");
    const int line = symbol ? SymbolLine : (dimension ? DimensionLine : ListLine);
    const auto reporter = [this](const QString& message) { report(message); };

    // One traversal per code, over the code's items in the order of codes.
    std::optional<LoopGuard> guard;
    QString code;
    Sums* current = nullptr;
    for (int row : items.orderBy({fIdent})) {
        const QVariant& ident = items.cell(row, fIdent);
        if (!guard || ident.toString() != code) {
            code = ident.toString();
            guard.emplace(line, reporter);
            current = nullptr;
        }
        if (!guard->pass())
            continue;
        bool counted = int(number(items.cell(row, fList))) == k;
        // An erased block stays in its BOM until the drawing is saved but is
        // no longer part of it: the item view leaves it out, so do the sums.
        if (!counted && (symbol || dimension))
            counted = int(number(items.cell(row, fLink))) == k &&
                      items.cell(row, fState).toString() != u"D";
        if (!counted)
            continue;
        if (!current)
            current = &sums[code];
        current->kol += double(std::llround(number(items.cell(row, fKol))));
        current->vred += number(items.cell(row, fVred));
    }
    return sums;
}

double BomSummary::total() const
{
    const TableView& v = m_model.tables().TNarUN;
    return m_active && v.isActive() ? v.sum(QStringLiteral("SumVred")) : 0.0;
}
