#pragma once

#include "TableSchema.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

// A filter parsed once from its text into an expression tree, bound to the
// field positions of a view and then evaluated on rows.
//
//   expr    := term { OR term }
//   term    := factor { AND factor }
//   factor  := NOT factor | '(' expr ')' | operand op operand
//   operand := field | [field name] | 'string' | "string" | number
//   op      := = | <> | != | < | > | <= | >=
//
// Keywords and field names are matched without regard to case; strings are
// compared exactly. A field without a value compares as 0 or "".
class FilterExpr
{
public:
    // Where evaluation gets values: the value of `field` in row `rowId`,
    // either a reference into the table or one built into `scratch`.
    class Source
    {
    public:
        virtual ~Source() = default;
        virtual const QVariant& value(int rowId, int field, QVariant& scratch) const = 0;
        // Three-way comparison of the field with a constant already in the
        // field's canonical type, where the source can do it without
        // building a value; false to have value() used instead.
        virtual bool compareField(int rowId, int field, const QVariant& constant,
                                  int* result) const
        {
            Q_UNUSED(rowId);
            Q_UNUSED(field);
            Q_UNUSED(constant);
            Q_UNUSED(result);
            return false;
        }
    };

    // Field position and definition by name (without regard to case);
    // returns false when there is no such field.
    using Resolver = std::function<bool(const QString& name, int* field, FieldDef* def)>;

    ~FilterExpr();

    // Throws TableError with the position and reason when the text does not
    // parse. An empty (or blank) text gives a filter that matches every row.
    static std::shared_ptr<FilterExpr> parse(const QString& text);

    // Resolves field names and converts constants to the types of the fields
    // they are compared with. Throws TableError for an unknown field or a
    // constant that cannot be compared with its field.
    void bind(const Resolver& resolver);
    bool isBound() const { return m_bound; }

    bool matches(const Source& source, int rowId) const;
    const QString& text() const { return m_text; }
    bool isEmpty() const;

    struct Node;

private:
    FilterExpr() = default;

    QString m_text;
    std::unique_ptr<Node> m_root;
    bool m_bound = false;
};
