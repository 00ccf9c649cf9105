#include "WorkbenchModel.h"

#include "LoopGuard.h"
#include "WinPath.h"
#include "WorkbenchTexts.h"

#include <QFile>
#include <cmath>

namespace {

const QString kNothing = QStringLiteral("(Srt<0) AND (Srt>0)");

double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

} // namespace

class WorkbenchModel::Batch
{
public:
    explicit Batch(WorkbenchModel& m) : m_model(m) { ++m_model.m_batch; }
    ~Batch()
    {
        if (--m_model.m_batch == 0)
            m_model.flush();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    WorkbenchModel& m_model;
};

WorkbenchModel::WorkbenchModel(QObject* parent) : QObject(parent)
{
    WorkbenchTables& t = m_tables;
    t.Projekt.setAfterScroll([this](TableView&) { projectScrolled(); });
    t.Projekt.setOnDataChange([this](TableView&) { notify(PendingProjects); });
    t.Risba.setAfterScroll([this](TableView&) {
        rebuildItemView();
        emit currentBomChanged();
    });
    t.Risba.setOnDataChange([this](TableView&) { notify(PendingBoms); });
    t.Risba.setBeforeDelete([this](TableView& v) {
        deleteBomItems(v.asString(QStringLiteral("Type")), int(v.asInt(QStringLiteral("L2"))));
    });
    t.TNar.setOnDataChange([this](TableView&) { notify(PendingItems | PendingTotals); });
    t.TNarTot.setOnDataChange([this](TableView&) { notify(PendingTotals); });
}

WorkbenchModel::~WorkbenchModel() = default;

void WorkbenchModel::notify(int what)
{
    m_pending |= what;
    if (m_batch == 0)
        flush();
}

void WorkbenchModel::flush()
{
    const int pending = m_pending;
    m_pending = 0;
    if (pending & PendingProjects)
        emit projectsChanged();
    if (pending & PendingBoms)
        emit bomsChanged();
    if (pending & PendingItems)
        emit itemsChanged();
    if (pending & PendingTotals)
        emit totalsChanged();
}

QString WorkbenchModel::listName() const
{
    return WorkbenchTexts::forLanguage(m_language).listName;
}

void WorkbenchModel::open(const QString& databaseDir, const QString& language)
{
    Batch batch(*this);
    m_language = language;
    m_tables.open(databaseDir);
    ensureProject();
    m_tables.Projekt.first();
    projectScrolled();
}

void WorkbenchModel::ensureProject()
{
    TableView& p = m_tables.Projekt;
    if (!p.isEmpty())
        return;
    p.append();
    p.setValue(QStringLiteral("Name"), QStringLiteral("New project1"));
    p.post();
}

bool WorkbenchModel::leave()
{
    if (m_leave)
        return m_leave();
    saveAll();
    return true;
}

// The current Projekt row decides the project: its BOMs in Risba, its item
// file behind TNar and TNarTot.
void WorkbenchModel::projectScrolled()
{
    WorkbenchTables& t = m_tables;
    if (m_holdProject)
        return;
    const int l2 = t.Projekt.isEmpty() ? 0 : int(t.Projekt.asInt("L2"));
    if (l2 == t.itemsProject() && (l2 == 0 || t.itemsOpen()))
        return;
    Batch batch(*this);
    t.closeItems();
    t.TNar.setFilter(kNothing); // the old BOM's filter would be evaluated once for nothing
    if (l2 == 0) {
        t.Risba.setFilter(QStringLiteral("L2<0"));
    } else {
        t.openItems(l2);
        t.Risba.setFilter(
            QStringLiteral("((L1=%1) AND (TYPE='S' OR TYPE='D' OR TYPE='T' OR TYPE='N'))").arg(l2));
    }
    emit projectChanged();
}

QString WorkbenchModel::currentProjectName() const
{
    const TableView& p = m_tables.Projekt;
    return p.isEmpty() ? QString() : p.asString(QStringLiteral("Name"));
}

bool WorkbenchModel::selectProject(int l2)
{
    if (l2 == currentProject())
        return true;
    WorkbenchTables& t = m_tables;
    if (!t.LookRisba.findKey({l2}) || t.LookRisba.asString(QStringLiteral("Type")) != u"P")
        return false;
    if (!leave())
        return false;
    Batch batch(*this);
    return t.Projekt.locate({QStringLiteral("L2")}, {l2});
}

int WorkbenchModel::addProject()
{
    if (!leave())
        return 0;
    Batch batch(*this);
    TableView& p = m_tables.Projekt;
    p.append();
    p.post();
    return int(p.asInt(QStringLiteral("L2")));
}

bool WorkbenchModel::deleteProject()
{
    const int l2 = currentProject();
    if (l2 == 0 || !leave())
        return false;
    Batch batch(*this);
    WorkbenchTables& t = m_tables;
    // The item file goes first: if it cannot be deleted nothing else is, so
    // that its items never turn up under a later project of the same key.
    t.closeItems();
    const QString file = WinPath::toNative(t.itemPath(l2));
    if (QFile::exists(file) && !QFile::remove(file)) {
        t.openItems(l2);
        throw TableError(file, QStringLiteral("the project's item file could not be deleted"));
    }
    deleteProjectBoms(l2);
    // Projekt stands on the project; moving onto it again must not reopen
    // the file just deleted.
    m_holdProject = true;
    const bool found = t.Projekt.locate({QStringLiteral("L2")}, {l2});
    m_holdProject = false;
    if (found)
        t.Projekt.remove();
    ensureProject();
    projectScrolled();
    return true;
}

// A deleted project's BOM rows would still bind their drawings by name and
// file, to a project that no longer exists; they go with the project.
void WorkbenchModel::deleteProjectBoms(int projectL2)
{
    ClientTable& base = m_tables.baseSetTable();
    std::vector<ClientTable::Change> changes;
    {
        TableView boms(base);
        boms.setFilter(QStringLiteral("(L1=%1) AND (TYPE<>'P')").arg(projectL2));
        LoopGuard guard(ProjectBomsLine, [this](const QString& m) { reportOverrun(m); });
        for (int pos = boms.recordCount(); pos >= 1; --pos) {
            if (!guard.pass())
                break;
            boms.setRecNo(pos);
            changes.push_back({ClientTable::Change::Delete, boms.currentRowId(), {}});
        }
    }
    if (!changes.empty())
        base.commit(changes);
}

// ------------------------------------------------------------------ BOMs

int WorkbenchModel::currentBom() const
{
    const TableView& r = m_tables.Risba;
    return r.isEmpty() ? 0 : int(r.asInt(QStringLiteral("L2")));
}

QString WorkbenchModel::currentBomType() const
{
    const TableView& r = m_tables.Risba;
    return r.isEmpty() ? QString() : r.asString(QStringLiteral("Type"));
}

QString WorkbenchModel::currentBomName() const
{
    const TableView& r = m_tables.Risba;
    return r.isEmpty() ? QString() : r.asString(QStringLiteral("Name"));
}

bool WorkbenchModel::selectBom(int l2)
{
    if (l2 == currentBom())
        return true;
    Batch batch(*this);
    return m_tables.Risba.locate({QStringLiteral("L2")}, {l2});
}

int WorkbenchModel::newBom()
{
    if (currentProject() == 0)
        return 0;
    Batch batch(*this);
    TableView& r = m_tables.Risba;
    r.append();
    r.setValue(QStringLiteral("Type"), QStringLiteral("N"));
    r.setValue(QStringLiteral("Name"), listName());
    r.post();
    return currentBom();
}

void WorkbenchModel::deleteBom()
{
    if (m_tables.Risba.isEmpty())
        return;
    Batch batch(*this);
    m_tables.Risba.remove(); // its before-delete hook deletes or unlinks the items
}

// Before a BOM row goes: its items go with it, except those that still
// have the other representation in another drawing, which only lose the
// link to this one. A list item of a drawing BOM that never received
// anything ("T") would otherwise stay behind, counted in the project total
// and shown in no BOM: it goes as a list's item does.
void WorkbenchModel::deleteBomItems(const QString& type, int k)
{
    WorkbenchTables& t = m_tables;
    if (!t.itemsOpen())
        return;
    const bool symbol = type == u"S";
    const bool dimension = type == u"D";
    QString filter;
    if (symbol)
        filter = QStringLiteral("(L1SYM=%1) OR (L1NAR=%1)").arg(k);
    else if (dimension)
        filter = QStringLiteral("(L1DIM=%1) OR (L1NAR=%1)").arg(k);
    else if (type == u"N" || type == u"T")
        filter = QStringLiteral("L1NAR=%1").arg(k);
    else
        return;
    // The representation this BOM held, and the other one that keeps an
    // item alive.
    ClientTable& items = t.itemTable();
    const TableSchema& s = items.schema();
    const auto field = [&s](const char* sym, const char* dim, bool bySymbol) {
        return s.fieldIndex(QLatin1String(bySymbol ? sym : dim));
    };
    const int other = field("L1DIM", "L1SYM", symbol);
    const int link = field("L1SYM", "L1DIM", symbol);
    const int id = field("SymID", "DimID", symbol);
    const int handle = field("SymHID", "DimHID", symbol);
    const int state = field("STATUSS", "STATUSD", symbol);

    std::vector<ClientTable::Change> changes;
    {
        TableView work(items);
        work.setIndexName(QStringLiteral("Narocilo"));
        work.setFilter(filter);
        LoopGuard guard(CascadeLine, [this](const QString& m) { reportOverrun(m); });
        for (int pos = work.recordCount(); pos >= 1; --pos) {
            if (!guard.pass())
                break;
            work.setRecNo(pos);
            const int row = work.currentRowId();
            if ((!symbol && !dimension) || number(items.cell(row, other)) < 1) {
                changes.push_back({ClientTable::Change::Delete, row, {}});
                continue;
            }
            ClientTable::Change c{ClientTable::Change::Update, row, {}};
            for (int f = 0; f < items.fieldCount(); ++f)
                c.values.push_back(items.cell(row, f));
            c.values[size_t(link)] = 0;
            c.values[size_t(id)] = 0.0;
            c.values[size_t(handle)] = QString();
            c.values[size_t(state)] = QString();
            changes.push_back(std::move(c));
        }
    }
    if (!changes.empty())
        t.commitItems(changes);
}

bool WorkbenchModel::renameBom(const QString& name)
{
    TableView& r = m_tables.Risba;
    if (r.isEmpty() || !isNameEditable(currentBomType()))
        return false;
    Batch batch(*this);
    r.edit();
    try {
        r.setValue(QStringLiteral("Name"), name);
        r.post();
    } catch (...) {
        r.cancel();
        throw;
    }
    return true;
}

// ----------------------------------------------------------------- items

bool WorkbenchModel::deleteItem()
{
    TableView& v = m_tables.TNar;
    if (!m_tables.itemsOpen() || v.isEmpty())
        return false;
    Batch batch(*this);
    v.remove();
    return true;
}

void WorkbenchModel::addWithoutCad(const CatalogueProduct& product, int quantity)
{
    WorkbenchTables& t = m_tables;
    if (!t.itemsOpen())
        return;
    Batch batch(*this);
    if (t.Risba.isEmpty())
        newBom();
    const QString code = product.code.left(9);
    t.addProductCode(code, product.name);
    TableView& v = t.TNar;
    if (v.locate({QStringLiteral("Ident"), QStringLiteral("Status")}, {code, QStringLiteral("N")},
                 true)) {
        v.edit();
        v.setValue(QStringLiteral("Kol"),
                   double(std::llround(number(v.value(QStringLiteral("Kol")))) + quantity));
        v.post();
        return;
    }
    v.append();
    v.setValue(QStringLiteral("L1NAR"), currentBom());
    v.setValue(QStringLiteral("L1SYM"), -1);
    v.setValue(QStringLiteral("L1DIM"), -1);
    v.setValue(QStringLiteral("Status"), QStringLiteral("N"));
    v.setValue(QStringLiteral("Ident"), code);
    v.setValue(QStringLiteral("NAZIV"), product.name.left(50));
    v.setValue(QStringLiteral("Cena"), product.price);
    v.setValue(QStringLiteral("Kol"), double(quantity));
    v.post();
}

bool WorkbenchModel::isItemFieldEditable(const QString& field, bool noCadItem)
{
    if (field.compare(QLatin1String("Cena"), Qt::CaseInsensitive) == 0 ||
        field.compare(QLatin1String("Rabat"), Qt::CaseInsensitive) == 0)
        return true;
    return noCadItem && field.compare(QLatin1String("Kol"), Qt::CaseInsensitive) == 0;
}

bool WorkbenchModel::editItem(int recNo, const QString& field, const QVariant& value)
{
    TableView& v = m_tables.TNar;
    if (!m_tables.itemsOpen() || recNo < 1 || recNo > v.recordCount())
        return false;
    Batch batch(*this);
    v.setRecNo(recNo);
    if (!isItemFieldEditable(field, v.asString(QStringLiteral("Status")) == u"N"))
        return false;
    v.edit();
    try {
        v.setValue(field, value);
        v.post();
    } catch (...) {
        v.cancel();
        throw;
    }
    return true;
}

// ------------------------------------------------------------- item view

QString WorkbenchModel::itemFilter(const QString& type, int k, bool projectView)
{
    const QString list = QStringLiteral("((L1NAR=%1) AND (STATUS='N'))").arg(k);
    const auto placed = [k](const char* link, const char* state) {
        return QStringLiteral("((%1=%2) AND (%3<>'D'))").arg(QLatin1String(link)).arg(k).arg(
            QLatin1String(state));
    };
    const QString freeSym = QStringLiteral("((L1SYM=0) AND (STATUSD<>'D'))");
    const QString freeDim = QStringLiteral("((L1DIM=0) AND (STATUSS<>'D'))");
    const QString orJoin = QStringLiteral(" OR ");
    if (type == u"S")
        return projectView ? placed("L1SYM", "STATUSS") + orJoin + freeSym + orJoin + list
                           : placed("L1SYM", "STATUSS") + orJoin + list;
    if (type == u"D")
        return projectView ? placed("L1DIM", "STATUSD") + orJoin + freeDim + orJoin + list
                           : placed("L1DIM", "STATUSD") + orJoin + list;
    if (type == u"T" && projectView)
        return freeSym + orJoin + freeDim + orJoin + list;
    if (type == u"T" || type == u"N")
        return list;
    return kNothing;
}

InsertPermissions WorkbenchModel::permissionsFor(const QString& type)
{
    if (type == u"S")
        return {true, false};
    if (type == u"D")
        return {false, true};
    if (type == u"T" || type == u"N")
        return {true, true};
    return {};
}

void WorkbenchModel::rebuildItemView()
{
    if (m_rebuilding)
        return;
    m_rebuilding = true;
    Batch batch(*this);
    emit itemViewAboutToRebuild();
    m_aggregates = false;
    const QString type = currentBomType();
    try {
        m_tables.TNar.setFilter(itemFilter(type, currentBom(), m_projectView));
    } catch (...) {
        m_aggregates = true;
        m_rebuilding = false;
        throw;
    }
    m_permissions = permissionsFor(type);
    m_aggregates = true;
    m_rebuilding = false;
    notify(PendingItems | PendingTotals);
    emit itemViewRebuilt();
}

bool WorkbenchModel::orderByColumn(int column)
{
    QString index;
    if (column == 0)
        index = QStringLiteral("Narocilo");
    else if (column == 1)
        index = QStringLiteral("Sort_Naziv");
    else if (column == 9 || column == 10)
        index = QStringLiteral("Sort_Block");
    else
        return false;
    Batch batch(*this);
    m_tables.TNar.setIndexName(index);
    return true;
}

double WorkbenchModel::bomTotal() const
{
    if (!m_aggregates || !m_tables.TNar.isActive())
        return 0.0;
    return m_tables.TNar.sum(QStringLiteral("Vred"));
}

double WorkbenchModel::projectTotal() const
{
    return m_tables.TNarTot.isActive() ? m_tables.TNarTot.sum(QStringLiteral("Vred")) : 0.0;
}

double WorkbenchModel::summaryTotal() const
{
    return m_tables.TNarUN.isActive() ? m_tables.TNarUN.sum(QStringLiteral("SumVred")) : 0.0;
}
