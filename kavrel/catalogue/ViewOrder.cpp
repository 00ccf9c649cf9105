#include "ViewOrder.h"

#include "FieldValue.h"
#include "TableError.h"

std::vector<int> ViewOrder::resolveNames(const QStringList& names, const TableSchema& schema,
                                         const QString& file)
{
    std::vector<int> fields;
    for (const QString& name : names) {
        const int f = schema.fieldIndex(name);
        if (f < 0)
            throw TableError(file, QStringLiteral("no such field to order by: %1").arg(name));
        fields.push_back(f);
    }
    return fields;
}

void ViewOrder::resolve(const TableSchema& schema, const QString& file)
{
    QStringList names = m_fieldNames;
    if (!m_indexName.isEmpty()) {
        const IndexDef* idx = schema.index(m_indexName);
        if (!idx)
            throw TableError(file, QStringLiteral("no such index: %1").arg(m_indexName));
        names = idx->fields;
    }
    m_fields = resolveNames(names, schema, file);
}

void ViewOrder::selectIndex(const QString& indexName, const TableSchema* schema,
                            const QString& file)
{
    const QString previousIndex = m_indexName;
    const QStringList previousNames = m_fieldNames;
    m_indexName = indexName;
    if (indexName.isEmpty())
        m_fieldNames.clear();
    if (!schema)
        return;
    try {
        resolve(*schema, file);
    } catch (const TableError&) {
        m_indexName = previousIndex;
        m_fieldNames = previousNames;
        throw;
    }
}

void ViewOrder::selectFields(const QStringList& fieldNames, const TableSchema* schema,
                             const QString& file)
{
    const QString previousIndex = m_indexName;
    const QStringList previousNames = m_fieldNames;
    m_indexName.clear();
    m_fieldNames = fieldNames;
    if (!schema)
        return;
    try {
        resolve(*schema, file);
    } catch (const TableError&) {
        m_indexName = previousIndex;
        m_fieldNames = previousNames;
        throw;
    }
}

QStringList ViewOrder::fieldNames(const TableSchema& schema) const
{
    QStringList names;
    for (int f : m_fields)
        names << schema.fields[size_t(f)].name;
    return names;
}

void ViewOrder::coerceKey(const TableSchema& schema, const QVariantList& prefix,
                          std::vector<QVariant>& key, const QString& viewName,
                          const QString& file) const
{
    if (prefix.size() > qsizetype(m_fields.size()))
        throw TableError(file,
                         QStringLiteral("the key has %1 values, the order of view %2 only %3 fields")
                             .arg(prefix.size())
                             .arg(viewName)
                             .arg(m_fields.size()));
    key.clear();
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const FieldDef& field = schema.fields[size_t(m_fields[size_t(i)])];
        const QVariant& value = prefix[i];
        // Keyed lookups run on every repaint: values already in canonical
        // form are taken as they are.
        const QMetaType type = value.metaType();
        const bool isInt = type == QMetaType::fromType<int>();
        const int intValue = isInt ? *static_cast<const int*>(value.constData()) : 0;
        if ((type == QMetaType::fromType<QString>() && field.type == FieldType::String) ||
            (isInt && field.type == FieldType::Int32) ||
            (isInt && field.type == FieldType::Int16 && intValue >= -32768 && intValue <= 32767)) {
            key.push_back(value);
            continue;
        }
        FieldDef def = field;
        def.width = 0;
        key.push_back(FieldValue::coerce(def, value));
    }
}
