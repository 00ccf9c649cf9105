#include "TableSchema.h"

#include "TableError.h"

#include <QRegularExpression>
#include <QSet>

int TableSchema::fieldIndex(const QString& fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const IndexDef* TableSchema::index(const QString& indexName) const
{
    for (const IndexDef& idx : indexes) {
        if (idx.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &idx;
    }
    return nullptr;
}

const IndexDef* TableSchema::primaryIndex() const
{
    for (const IndexDef& idx : indexes) {
        if (idx.primary)
            return &idx;
    }
    return nullptr;
}

void TableSchema::validate() const
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (fields.empty())
        throw TableError(QStringLiteral("the table has no fields"));
    QSet<QString> seen;
    for (const FieldDef& f : fields) {
        if (!identifier.match(f.name).hasMatch())
            throw TableError(QStringLiteral("\"%1\" is not a valid field name").arg(f.name));
        if (seen.contains(f.name.toUpper()))
            throw TableError(QStringLiteral("field %1 is defined twice").arg(f.name));
        seen.insert(f.name.toUpper());
        if (f.type == FieldType::String && (f.width <= 0 || f.width > 65535))
            throw TableError(
                QStringLiteral("string field %1 needs a width of 1 to 65535 characters")
                    .arg(f.name));
    }
    QSet<QString> indexNames;
    int primaries = 0;
    for (const IndexDef& idx : indexes) {
        if (!identifier.match(idx.name).hasMatch())
            throw TableError(QStringLiteral("\"%1\" is not a valid index name").arg(idx.name));
        if (indexNames.contains(idx.name.toUpper()))
            throw TableError(QStringLiteral("index %1 is defined twice").arg(idx.name));
        indexNames.insert(idx.name.toUpper());
        if (idx.fields.isEmpty())
            throw TableError(QStringLiteral("index %1 has no fields").arg(idx.name));
        for (const QString& name : idx.fields) {
            if (fieldIndex(name) < 0)
                throw TableError(
                    QStringLiteral("index %1 names unknown field %2").arg(idx.name, name));
        }
        if (idx.primary)
            ++primaries;
    }
    if (primaries > 1)
        throw TableError(QStringLiteral("more than one primary index"));
}

QString TableSchema::typeName(FieldType type)
{
    switch (type) {
    case FieldType::Int32:
        return QStringLiteral("int32");
    case FieldType::Int16:
        return QStringLiteral("int16");
    case FieldType::String:
        return QStringLiteral("string");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::DateTime:
        return QStringLiteral("datetime");
    case FieldType::Float:
        return QStringLiteral("float");
    }
    return QString();
}

bool TableSchema::parseTypeName(const QString& text, FieldType* type)
{
    static const FieldType all[] = {FieldType::Int32, FieldType::Int16,    FieldType::String,
                                    FieldType::Date,  FieldType::DateTime, FieldType::Float};
    for (FieldType t : all) {
        if (typeName(t).compare(text, Qt::CaseInsensitive) == 0) {
            *type = t;
            return true;
        }
    }
    return false;
}

QString TableSchema::describe(const FieldDef& field)
{
    QString text = field.name + QLatin1Char(' ') + typeName(field.type);
    if (field.type == FieldType::String)
        text += QLatin1Char(' ') + QString::number(field.width);
    return text;
}
