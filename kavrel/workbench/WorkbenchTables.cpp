#include "WorkbenchTables.h"

#include "StandardSchemas.h"

#include <QDate>
#include <QDateTime>

namespace {

// The engine keeps a field without a value as "no value"; the workbench
// reads such a field as 0.
double number(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

} // namespace

WorkbenchTables::WorkbenchTables()
    : Projekt(m_baseSet, QStringLiteral("Projekt")), Risba(m_baseSet, QStringLiteral("Risba")),
      LookRisba(m_baseSet, QStringLiteral("LookRisba")), NewSet(m_baseSet, QStringLiteral("NewSet")),
      TNar(m_items, QStringLiteral("TNar")), TNarTot(m_items, QStringLiteral("TNarTot")),
      TNarUN(m_narUn, QStringLiteral("TNarUN")), m_itemsByIdent(m_items, QStringLiteral("ItemsByIdent")),
      m_narUnByIdent(m_narUn, QStringLiteral("NarUnByIdent"))
{
    setUpBaseSetViews();
    setUpItemViews();
    setUpNarUn();
}

WorkbenchTables::~WorkbenchTables()
{
    try {
        saveAll();
    } catch (const TableError&) {
        // Every change is already in the files (write-through); nothing is
        // left to tell at the end of the program.
    }
}

QString WorkbenchTables::totalFilter()
{
    return QStringLiteral("( ((L1SYM>0) AND (STATUSD<>'D')) OR ((L1DIM>0) AND (STATUSS<>'D')) "
                          "OR (STATUS='N'))");
}

void WorkbenchTables::setUpBaseSetViews()
{
    Projekt.setIndexName(QStringLiteral("BaseSetL2"));
    Projekt.setFilter(QStringLiteral("TYPE='P'"));
    Risba.setIndexName(QStringLiteral("BaseSetL2"));
    Risba.setFilter(QStringLiteral("L2<0")); // no project selected yet
    LookRisba.setIndexName(QStringLiteral("BaseSetL2"));
    NewSet.setIndexName(QStringLiteral("BaseSetL2"));

    const auto today = [] { return QDateTime(QDate::currentDate(), QTime(0, 0)); };
    Projekt.setOnNewRecord([this, today](TableView& v) {
        const int m = highestL2();
        v.setValue(QStringLiteral("L1"), m + 1);
        v.setValue(QStringLiteral("L2"), m + 2);
        v.setValue(QStringLiteral("Type"), QStringLiteral("P"));
        v.setValue(QStringLiteral("Status"), QStringLiteral("V"));
        v.setValue(QStringLiteral("DATUM"), today());
    });
    Risba.setOnNewRecord([this, today](TableView& v) {
        v.setValue(QStringLiteral("L1"), Projekt.isEmpty() ? 0 : int(Projekt.asInt("L2")));
        v.setValue(QStringLiteral("L2"), highestL2() + 1);
        v.setValue(QStringLiteral("Status"), QStringLiteral("V"));
        v.setValue(QStringLiteral("DATUM"), today());
    });
}

void WorkbenchTables::addDrawingNames(TableView& view)
{
    // The name of the drawing that holds the item's symbol (dimension
    // drawing); empty while that block is erased and not yet saved.
    const auto drawing = [this](const char* link, const char* state) {
        return [this, link, state](const TableRecord& r) -> QVariant {
            if (r.asString(QLatin1String(state)) == QLatin1String("D"))
                return QString();
            return nameOf(int(r.asInt(QLatin1String(link)))).value_or(QString());
        };
    };
    view.addCalculatedField({QStringLiteral("SYMDWG"), FieldType::String, 256},
                            drawing("L1SYM", "STATUSS"));
    view.addCalculatedField({QStringLiteral("DIMDWG"), FieldType::String, 256},
                            drawing("L1DIM", "STATUSD"));
}

void WorkbenchTables::prepareItemView(TableView& view)
{
    view.setIndexName(QStringLiteral("Narocilo"));
    addDrawingNames(view);
    view.setOnNewRecord(
        [this](TableView& v) { v.setValue(QStringLiteral("Srt"), nextSrt()); });
    view.setBeforePost([](TableView& v) {
        const double cena = number(v.value(QStringLiteral("Cena")));
        const double rabat = number(v.value(QStringLiteral("Rabat")));
        const double kol = number(v.value(QStringLiteral("Kol")));
        const double neto = (1.0 - rabat / 100.0) * cena;
        v.setValue(QStringLiteral("Neto"), neto);
        v.setValue(QStringLiteral("Vred"), neto * kol);
    });
}

void WorkbenchTables::setUpItemViews()
{
    prepareItemView(TNar);
    TNar.setFilter(QStringLiteral("(Srt<0) AND (Srt>0)")); // no BOM yet
    prepareItemView(TNarTot);
    TNarTot.setFilter(totalFilter());
    m_itemsByIdent.setIndexName(QStringLiteral("Narocilo"));
}

void WorkbenchTables::setUpNarUn()
{
    TNarUN.setIndexName(QStringLiteral("TNarUNIndex1"));
    m_narUnByIdent.setIndexName(QStringLiteral("TNarUNIndex1"));
    TNarUN.addCalculatedField({QStringLiteral("Kol"), FieldType::Float, 0},
                              [this](const TableRecord& r) -> QVariant {
                                  if (!m_items.isOpen() ||
                                      !m_itemsByIdent.findKey({r.asString(QStringLiteral("Ident"))}))
                                      return 0.0;
                                  return number(m_itemsByIdent.value(QStringLiteral("Kol")));
                              });
    const auto summary = [this](bool value) {
        return [this, value](const TableRecord& r) -> QVariant {
            if (!m_summary)
                return 0.0;
            const auto sums = m_summary(r.asString(QStringLiteral("Ident")));
            return value ? sums.second : sums.first;
        };
    };
    TNarUN.addCalculatedField({QStringLiteral("SumKol"), FieldType::Float, 0}, summary(false));
    TNarUN.addCalculatedField({QStringLiteral("SumVred"), FieldType::Float, 0}, summary(true));
}

void WorkbenchTables::open(const QString& databaseDir)
{
    m_dir = databaseDir;
    const TableSchema baseSchema = StandardSchemas::baseSet();
    m_baseSet.open(databaseDir + u'\\' + baseSetFile(), ClientTable::OpenMode::ReadWrite,
                   &baseSchema);
    if (!m_baseSet.fileExists())
        m_baseSet.save();
    const TableSchema unSchema = StandardSchemas::tNarUN();
    m_narUn.open(databaseDir + u'\\' + narUnFile(), ClientTable::OpenMode::ReadWrite, &unSchema);
    if (!m_narUn.fileExists())
        m_narUn.save();
}

QString WorkbenchTables::itemPath(int projectL2) const
{
    return m_dir + u'\\' + itemFile(projectL2);
}

void WorkbenchTables::closeItems()
{
    m_items.close();
    m_itemsProject = 0;
}

void WorkbenchTables::openItems(int projectL2)
{
    closeItems();
    const TableSchema schema = StandardSchemas::tNar();
    m_items.open(itemPath(projectL2), ClientTable::OpenMode::ReadWrite, &schema);
    if (!m_items.fileExists())
        m_items.save();
    m_itemsProject = projectL2;
    const TableSchema& s = m_items.schema();
    m_fCena = s.fieldIndex(QStringLiteral("Cena"));
    m_fRabat = s.fieldIndex(QStringLiteral("Rabat"));
    m_fKol = s.fieldIndex(QStringLiteral("Kol"));
    m_fNeto = s.fieldIndex(QStringLiteral("Neto"));
    m_fVred = s.fieldIndex(QStringLiteral("Vred"));
    m_fSrt = s.fieldIndex(QStringLiteral("Srt"));
}

void WorkbenchTables::saveAll()
{
    for (ClientTable* t : {&m_baseSet, &m_items, &m_narUn}) {
        if (t->isOpen())
            t->save();
    }
}

int WorkbenchTables::highestL2() const
{
    if (!m_baseSet.isOpen())
        return 0;
    const int l2 = m_baseSet.schema().fieldIndex(QStringLiteral("L2"));
    const std::vector<int>& rows = m_baseSet.orderBy({l2});
    return rows.empty() ? 0 : int(number(m_baseSet.cell(rows.back(), l2)));
}

int WorkbenchTables::nextSrt() const
{
    if (!m_items.isOpen())
        return 1;
    const std::vector<int>& rows = m_items.orderBy({m_fSrt});
    return rows.empty() ? 1 : int(number(m_items.cell(rows.back(), m_fSrt))) + 1;
}

std::optional<QString> WorkbenchTables::nameOf(int l2)
{
    if (!LookRisba.isActive() || !LookRisba.findKey({l2}))
        return std::nullopt;
    return LookRisba.asString(QStringLiteral("Name"));
}

void WorkbenchTables::derivePrices(std::vector<QVariant>& values) const
{
    const double neto =
        (1.0 - number(values[size_t(m_fRabat)]) / 100.0) * number(values[size_t(m_fCena)]);
    values[size_t(m_fNeto)] = neto;
    values[size_t(m_fVred)] = neto * number(values[size_t(m_fKol)]);
}

void WorkbenchTables::commitItems(std::vector<ClientTable::Change>& changes)
{
    for (ClientTable::Change& c : changes) {
        if (c.kind != ClientTable::Change::Delete)
            derivePrices(c.values);
    }
    m_items.commit(changes);
}

void WorkbenchTables::addProductCode(const QString& ident, const QString& name)
{
    if (m_narUnByIdent.findKey({ident}))
        return;
    m_narUnByIdent.append();
    m_narUnByIdent.setValue(QStringLiteral("Ident"), ident);
    m_narUnByIdent.setValue(QStringLiteral("Naziv"), name.left(50));
    m_narUnByIdent.post();
}
