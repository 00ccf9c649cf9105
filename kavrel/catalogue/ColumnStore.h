#pragma once

#include "TableSchema.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <vector>

// Hands out zeroed memory (calloc) and leaves default-constructed elements
// as they are: a table's slots sized ahead of its rows then read as zeros
// without a pass over them, and pages nobody fills are never touched (the
// system maps large blocks from pages that are zero already).
template <typename T> struct ZeroedAllocator
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U> ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
    T* allocate(size_t n)
    {
        if (void* p = std::calloc(n, sizeof(T)))
            return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, size_t) noexcept { std::free(p); }
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <typename U> bool operator==(const ZeroedAllocator<U>&) const noexcept { return true; }
};
template <typename T> using Cells = std::vector<T, ZeroedAllocator<T>>;

// The cells of a client table, one typed array per field: integers and
// floats as plain numbers, dates as day numbers, strings in one character
// arena per field (one-character codes as single characters), and a bit per
// cell for "no value". A million-row table is a handful of arrays rather
// than millions of separately allocated values.
//
// Values go in and come out in the canonical QVariant form of FieldValue;
// comparisons read the arrays directly.
class ColumnStore
{
public:
    void reset(const TableSchema& schema);
    void reserve(size_t rows);
    int rowCount() const { return m_rows; }
    int fieldCount() const { return int(m_columns.size()); }

    // Rows take canonical values (FieldValue::coerce), one per field.
    int appendRow(const std::vector<QVariant>& values);
    void setRow(int row, const std::vector<QVariant>& values);
    void clearRow(int row); // every cell without a value; the slot stays

    QVariant value(int row, int field) const;
    bool isNull(int row, int field) const { return m_columns[size_t(field)].isNull(row); }
    // Integer fields: the value, 0 for no value.
    int intValue(int row, int field) const
    {
        const Column& c = m_columns[size_t(field)];
        return c.isNull(row) ? 0 : c.ints[size_t(row)];
    }

    // Integer fields and one-character codes as integers that sort like the
    // values: integers as they are (no value as 0), codes as character + 1
    // ("" and no value as 0). intKeyOf() converts a canonical key value;
    // false for a text a code field cannot hold.
    bool hasIntKey(int field) const
    {
        const Column& c = m_columns[size_t(field)];
        return c.type == FieldType::Int32 || c.type == FieldType::Int16 || c.codes;
    }
    int intKey(int row, int field) const
    {
        const Column& c = m_columns[size_t(field)];
        if (c.isNull(row))
            return 0;
        if (c.codes)
            return c.code[size_t(row)] == kNoCode ? 0 : int(c.code[size_t(row)]) + 1;
        return c.ints[size_t(row)];
    }
    bool intKeyOf(int field, const QVariant& canonical, int* out) const;

    // Three-way comparisons in the field's type; no value compares as 0, ""
    // or before every date.
    int compare(int field, int rowA, int rowB) const;
    int compare(int field, int row, const QVariant& canonical) const;

    // ---- Loading, field by field, a row at a time: beginRow() appends a
    // row, beginRowAt() fills a slot that resize() made (without a value in
    // every field until filled).
    void resize(int rows);
    void beginRow();
    void beginRowAt(int row);
    void putNull(int field);
    void putInt(int field, int value);
    void putFloat(int field, double value);
    void putDay(int field, qint64 julianDay);
    void putDateTime(int field, const QDateTime& value);
    void putString(int field, QStringView text);
    // UTF-8 text as SQLite hands it over.
    void putUtf8(int field, const char* text, int bytes);
    void endRow();

    // Bytes held by the arrays (for the benchmarks).
    size_t memoryUsed() const;

private:
    struct Column
    {
        FieldType type = FieldType::Int32;
        // String fields of width 1 keep one character per row (kNoCode for
        // "") until a value arrives that does not fit (damaged or foreign
        // files).
        bool codes = false;
        bool anyNull = false;          // some row was given no value
        Cells<quint64> nulls;    // bit set: no value (read only when anyNull)
        Cells<qint32> ints;      // Int32, Int16
        Cells<double> floats;    // Float
        Cells<qint64> days;      // Date: Julian day
        std::vector<QDateTime> times;  // DateTime
        Cells<char16_t> code;    // codes: the character, or kNoCode
        Cells<quint32> start;    // text: offset into chars
        Cells<quint32> length;   // text: characters
        Cells<char16_t> chars;   // text: arena
        size_t wasted = 0;             // text: arena characters no row uses

        bool isNull(int row) const
        {
            return anyNull && ((nulls[size_t(row) >> 6] >> (row & 63)) & 1);
        }
        QStringView text(int row) const;
    };

    static constexpr char16_t kNoCode = 0xFFFF;
    static bool fitsCode(QStringView text)
    {
        return text.size() == 0 || (text.size() == 1 && text.front().unicode() != kNoCode);
    }
    static void setBit(Cells<quint64>& bits, int row, bool on);
    static void setNull(Column& c, int row, bool on)
    {
        setBit(c.nulls, row, on);
        c.anyNull = c.anyNull || on;
    }
    void growBits(int row);
    void setCell(int row, int field, const QVariant& value);
    void setText(Column& c, int row, QStringView text);
    void promoteToText(Column& c);
    void compact(Column& c);

    // Where put*() writes: the slot, or -1 to append.
    template <typename V, typename T> void put(V& values, int field, const T& value);

    std::vector<Column> m_columns;
    int m_rows = 0;
    int m_slot = -1; // the row beginRowAt() fills
};
