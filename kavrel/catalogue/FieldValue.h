#pragma once

#include "TableSchema.h"

#include <QString>
#include <QVariant>

// Values of stored fields. In memory a field holds its canonical type (int
// for both integer types, double, QString, QDate, QDateTime) or an invalid
// QVariant for "no value", which reads and compares as 0 or "" (or the
// earliest date).
class FieldValue
{
public:
    // Converts to the field's canonical type. Throws TableError (without a
    // file) naming the field when the value does not convert, is out of range
    // or, unless `truncate`, a string is longer than the width.
    static QVariant coerce(const FieldDef& field, const QVariant& value, bool truncate = false);

    // Three-way comparison of two values of one type. Both must be canonical
    // (as coerce() returns them) or invalid; values of the wrong type are
    // not checked in release builds.
    static int compare(FieldType type, const QVariant& a, const QVariant& b);
    // Comparison of values of possibly different types: numbers as numbers,
    // everything else as text.
    // compare() with integers done inline: keys and filters are mostly
    // integer comparisons.
    static int compareInline(FieldType type, const QVariant& a, const QVariant& b)
    {
        if (type == FieldType::Int32 || type == FieldType::Int16) {
            const int x = a.isValid() ? *static_cast<const int*>(a.constData()) : 0;
            const int y = b.isValid() ? *static_cast<const int*>(b.constData()) : 0;
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        return compare(type, a, b);
    }
    // Equality of canonical strings (no value equals "").
    static bool equalStrings(const QVariant& a, const QVariant& b)
    {
        static const QString empty;
        const QString& x = a.isValid() ? *static_cast<const QString*>(a.constData()) : empty;
        const QString& y = b.isValid() ? *static_cast<const QString*>(b.constData()) : empty;
        return x == y;
    }
    static int compareMixed(const QVariant& a, const QVariant& b);
    static bool equalNoCase(const QVariant& a, const QVariant& b);

    // The text form of files and CSV: integers in decimal, floats with full
    // precision, dates "YYYY-MM-DD", date-times "YYYY-MM-DDTHH:MM:SS".
    static QString toText(FieldType type, const QVariant& value);
    // The reverse; an empty text is no value. Throws like coerce().
    static QVariant fromText(const FieldDef& field, const QString& text);

    static bool isNumeric(FieldType type)
    {
        return type == FieldType::Int32 || type == FieldType::Int16 || type == FieldType::Float;
    }
};
