#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Stored field types of a client table.
enum class FieldType
{
    Int32,    // 32-bit integer
    Int16,    // 16-bit integer
    String,   // string of at most `width` characters
    Date,     // QDate
    DateTime, // QDateTime (local time)
    Float     // double
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Int32;
    int width = 0; // characters, for String only
};

// A named order of a table: a list of field names; `unique` rows may not
// share the whole key; the `primary` index is the table's default order.
struct IndexDef
{
    QString name;
    QStringList fields;
    bool primary = false;
    bool unique = false;
};

// Field and index definitions of one table, stored in its file beside the
// rows. `name` is the schema name ("tree", "TNar", ...).
class TableSchema
{
public:
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    // Field position by name without regard to case; -1 when absent.
    int fieldIndex(const QString& fieldName) const;
    const IndexDef* index(const QString& indexName) const; // case-insensitive
    const IndexDef* primaryIndex() const;

    // Throws TableError when names are empty, not identifiers, duplicated,
    // a string has no width or an index names an unknown field.
    void validate() const;

    static QString typeName(FieldType type); // "int32", "int16", "string", ...
    static bool parseTypeName(const QString& text, FieldType* type);

    // The readable one-line form of a field: "NAME string 40".
    static QString describe(const FieldDef& field);
};
