#include "BomRows.h"

namespace {

BomRows::Bom read(const TableView& v)
{
    return {int(v.asInt(QStringLiteral("L1"))), int(v.asInt(QStringLiteral("L2"))),
            v.asString(QStringLiteral("Type")), v.asString(QStringLiteral("Name")),
            v.asString(QStringLiteral("File")), v.asString(QStringLiteral("Status"))};
}

} // namespace

std::optional<BomRows::Bom> BomRows::byKey(int l2) const
{
    TableView& v = m_tables.NewSet;
    if (l2 <= 0 || !v.isActive() || !v.findKey({l2}))
        return std::nullopt;
    return read(v);
}

std::optional<BomRows::Bom> BomRows::byDrawing(const QString& name, const QString& file) const
{
    ClientTable& base = m_tables.baseSetTable();
    if (!base.isOpen())
        return std::nullopt;
    const TableSchema& s = base.schema();
    const int fType = s.fieldIndex(QStringLiteral("Type"));
    const int fName = s.fieldIndex(QStringLiteral("Name"));
    const int fFile = s.fieldIndex(QStringLiteral("File"));
    const int fL2 = s.fieldIndex(QStringLiteral("L2"));
    for (int row : base.orderBy({fL2})) {
        if (base.cell(row, fType).toString() == u"P")
            continue;
        if (base.cell(row, fName).toString().compare(name, Qt::CaseInsensitive) == 0 &&
            base.cell(row, fFile).toString().compare(file, Qt::CaseInsensitive) == 0)
            return byKey(base.cell(row, fL2).toInt());
    }
    return std::nullopt;
}

std::vector<int> BomRows::ofProject(int projectL2) const
{
    std::vector<int> keys;
    ClientTable& base = m_tables.baseSetTable();
    if (!base.isOpen())
        return keys;
    const TableSchema& s = base.schema();
    const int fType = s.fieldIndex(QStringLiteral("Type"));
    const int fL1 = s.fieldIndex(QStringLiteral("L1"));
    const int fL2 = s.fieldIndex(QStringLiteral("L2"));
    for (int row : base.orderBy({fL2})) {
        if (base.cell(row, fType).toString() != u"P" && base.cell(row, fL1).toInt() == projectL2)
            keys.push_back(base.cell(row, fL2).toInt());
    }
    return keys;
}

void BomRows::update(int l2, const std::vector<std::pair<QString, QVariant>>& values)
{
    TableView& v = m_tables.NewSet;
    if (!v.findKey({l2}))
        return;
    v.edit();
    try {
        for (const auto& [field, value] : values)
            v.setValue(field, value);
        v.post();
    } catch (...) {
        v.cancel();
        throw;
    }
}

void BomRows::remove(int l2)
{
    TableView& v = m_tables.NewSet;
    if (v.findKey({l2}))
        v.remove();
}
