// Filter texts of any shape must parse or be refused with an error, never
// crash; a parsed filter is bound and evaluated on a few rows.
#include "FilterExpr.h"
#include "TableError.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const std::vector<FieldDef>& fields()
{
    static const std::vector<FieldDef> defs = {
        {"LINK1", FieldType::Int32, 0},    {"LOOK", FieldType::String, 1},
        {"SORT", FieldType::Int16, 0},     {"Kol", FieldType::Float, 0},
        {"DATUM", FieldType::Date, 0},     {"Made", FieldType::DateTime, 0},
        {"STATUSD", FieldType::String, 1},
    };
    return defs;
}

class Rows : public FilterExpr::Source
{
public:
    Rows()
    {
        m_rows.push_back({QVariant(0), QVariant(QStringLiteral("A")), QVariant(3), QVariant(1.5),
                          QVariant(QDate(2020, 1, 2)), QVariant(QDateTime()), QVariant()});
        m_rows.push_back({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                          QVariant(QStringLiteral("D"))});
    }
    const QVariant& value(int rowId, int field, QVariant&) const override
    {
        return m_rows[size_t(rowId)][size_t(field)];
    }
    int count() const { return int(m_rows.size()); }

private:
    std::vector<std::vector<QVariant>> m_rows;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    static const Rows rows;
    try {
        auto expr = FilterExpr::parse(text);
        expr->bind([](const QString& name, int* field, FieldDef* def) {
            for (size_t i = 0; i < fields().size(); ++i) {
                if (fields()[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                    *field = int(i);
                    *def = fields()[i];
                    return true;
                }
            }
            return false;
        });
        for (int r = 0; r < rows.count(); ++r)
            expr->matches(rows, r);
    } catch (const TableError&) {
    }
    return 0;
}
