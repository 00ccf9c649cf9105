#pragma once

#include "TableSchema.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// The order of one view and the key range it is restricted to. The order is
// chosen by index name or as a field list and resolved to field positions
// against the table's schema whenever the table (re)opens; keys are given as
// prefixes of that order and kept in the fields' canonical types.
class ViewOrder
{
public:
    // Chooses a named index ("" = file order) or an ad hoc field list. With
    // a schema (the table is open) the choice is resolved at once; a name
    // the schema lacks throws TableError and keeps the previous choice.
    void selectIndex(const QString& indexName, const TableSchema* schema, const QString& file);
    void selectFields(const QStringList& fieldNames, const TableSchema* schema,
                      const QString& file);
    // Resolves the current choice; throws TableError naming the missing
    // index or field.
    void resolve(const TableSchema& schema, const QString& file);
    void clearResolved() { m_fields.clear(); }

    const std::vector<int>& fields() const { return m_fields; } // positions
    bool isFileOrder() const { return m_fields.empty(); }
    size_t size() const { return m_fields.size(); }
    int field(size_t i) const { return m_fields[i]; }
    QStringList fieldNames(const TableSchema& schema) const;

    // Converts a key prefix to the canonical types of the leading order
    // fields; a prefix longer than the order throws TableError. Widths are
    // not checked: a longer key simply matches nothing.
    void coerceKey(const TableSchema& schema, const QVariantList& prefix,
                   std::vector<QVariant>& key, const QString& viewName,
                   const QString& file) const;

    // A range set directly (not through a master).
    void setRange(std::vector<QVariant> key)
    {
        m_range = std::move(key);
        m_hasRange = true;
    }
    void cancelRange()
    {
        m_range.clear();
        m_hasRange = false;
    }
    bool hasRange() const { return m_hasRange; }
    const std::vector<QVariant>& range() const { return m_range; }

private:
    static std::vector<int> resolveNames(const QStringList& names, const TableSchema& schema,
                                         const QString& file);

    QString m_indexName;
    QStringList m_fieldNames; // ad hoc order when no index name
    std::vector<int> m_fields;
    bool m_hasRange = false;
    std::vector<QVariant> m_range;
};
