#include "ColumnStore.h"

#include <QDate>
#include <algorithm>

namespace {

// One-character strings (codes such as "A", "P", "T") are handed out shared
// instead of allocated at every read: the tables are full of them.
const QString& sharedChar(char16_t c)
{
    static const std::vector<QString> table = [] {
        std::vector<QString> t(128);
        for (int i = 0; i < 128; ++i)
            t[size_t(i)] = QString(QChar(i));
        return t;
    }();
    return table[c];
}

QString makeString(QStringView text)
{
    if (text.size() == 1 && text.front().unicode() < 128)
        return sharedChar(text.front().unicode());
    return text.isEmpty() ? QString() : text.toString();
}

template <typename T> int threeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int sign(int c)
{
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <typename V> size_t bytes(const V& v)
{
    return v.capacity() * sizeof(typename V::value_type);
}

} // namespace

QStringView ColumnStore::Column::text(int row) const
{
    if (isNull(row))
        return {};
    if (codes)
        return code[size_t(row)] == kNoCode ? QStringView() : QStringView(&code[size_t(row)], 1);
    return QStringView(chars.data() + start[size_t(row)], qsizetype(length[size_t(row)]));
}

void ColumnStore::reset(const TableSchema& schema)
{
    m_columns.clear();
    m_columns.resize(schema.fields.size());
    for (size_t f = 0; f < schema.fields.size(); ++f) {
        m_columns[f].type = schema.fields[f].type;
        m_columns[f].codes = schema.fields[f].type == FieldType::String &&
                             schema.fields[f].width == 1;
    }
    m_rows = 0;
}

void ColumnStore::reserve(size_t rows)
{
    for (Column& c : m_columns) {
        c.nulls.reserve(rows / 64 + 1);
        switch (c.type) {
        case FieldType::Int32:
        case FieldType::Int16:
            c.ints.reserve(rows);
            break;
        case FieldType::Float:
            c.floats.reserve(rows);
            break;
        case FieldType::Date:
            c.days.reserve(rows);
            break;
        case FieldType::DateTime:
            c.times.reserve(rows);
            break;
        case FieldType::String:
            if (c.codes) {
                c.code.reserve(rows);
            } else {
                c.start.reserve(rows);
                c.length.reserve(rows);
                c.chars.reserve(rows * 4);
            }
            break;
        }
    }
}

void ColumnStore::setBit(Cells<quint64>& bits, int row, bool on)
{
    const quint64 mask = quint64(1) << (row & 63);
    quint64& word = bits[size_t(row) >> 6];
    word = on ? (word | mask) : (word & ~mask);
}

void ColumnStore::growBits(int row)
{
    if ((row & 63) != 0)
        return;
    for (Column& c : m_columns)
        c.nulls.push_back(0);
}

// Slots are filled whole, every field with its value or its null bit, so
// the zeros of slots not yet read are never seen; fresh zeroed arrays cost
// nothing until a slot is filled.
void ColumnStore::resize(int rows)
{
    const size_t n = size_t(rows);
    for (Column& c : m_columns) {
        c.nulls = Cells<quint64>((n + 63) / 64);
        switch (c.type) {
        case FieldType::Int32:
        case FieldType::Int16:
            c.ints = Cells<qint32>(n);
            break;
        case FieldType::Float:
            c.floats = Cells<double>(n);
            break;
        case FieldType::Date:
            c.days = Cells<qint64>(n);
            break;
        case FieldType::DateTime:
            c.times.assign(n, QDateTime());
            break;
        case FieldType::String:
            if (c.codes) {
                c.code = Cells<char16_t>(n);
            } else {
                c.start = Cells<quint32>(n);
                c.length = Cells<quint32>(n);
            }
            break;
        }
    }
    m_rows = rows;
}

void ColumnStore::beginRow()
{
    growBits(m_rows);
    m_slot = -1;
}

void ColumnStore::beginRowAt(int row)
{
    m_slot = row;
}

void ColumnStore::endRow()
{
    if (m_slot < 0)
        ++m_rows;
    m_slot = -1;
}

template <typename V, typename T> void ColumnStore::put(V& values, int field, const T& value)
{
    if (m_slot < 0) {
        values.push_back(value);
        return;
    }
    values[size_t(m_slot)] = value;
    setBit(m_columns[size_t(field)].nulls, m_slot, false);
}

void ColumnStore::putNull(int field)
{
    Column& c = m_columns[size_t(field)];
    const int row = m_slot < 0 ? m_rows : m_slot;
    switch (c.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        put(c.ints, field, 0);
        break;
    case FieldType::Float:
        put(c.floats, field, 0.0);
        break;
    case FieldType::Date:
        put(c.days, field, qint64(0));
        break;
    case FieldType::DateTime:
        put(c.times, field, QDateTime());
        break;
    case FieldType::String:
        if (c.codes)
            put(c.code, field, kNoCode);
        else
            putString(field, QStringView());
        break;
    }
    setNull(c, row, true); // after put(), which clears it for a slot
}

void ColumnStore::putInt(int field, int value)
{
    put(m_columns[size_t(field)].ints, field, value);
}

void ColumnStore::putFloat(int field, double value)
{
    put(m_columns[size_t(field)].floats, field, value);
}

void ColumnStore::putDay(int field, qint64 julianDay)
{
    put(m_columns[size_t(field)].days, field, julianDay);
}

void ColumnStore::putDateTime(int field, const QDateTime& value)
{
    put(m_columns[size_t(field)].times, field, value);
}

void ColumnStore::putString(int field, QStringView text)
{
    Column& c = m_columns[size_t(field)];
    if (c.codes && !fitsCode(text))
        promoteToText(c);
    if (c.codes) {
        put(c.code, field, text.isEmpty() ? kNoCode : text.front().unicode());
        return;
    }
    put(c.start, field, quint32(c.chars.size()));
    put(c.length, field, quint32(text.size()));
    c.chars.insert(c.chars.end(), text.utf16(), text.utf16() + text.size());
}

void ColumnStore::putUtf8(int field, const char* text, int bytes)
{
    bool ascii = true;
    for (int i = 0; i < bytes && ascii; ++i)
        ascii = static_cast<unsigned char>(text[i]) < 0x80;
    if (!ascii) {
        putString(field, QString::fromUtf8(text, bytes));
        return;
    }
    Column& c = m_columns[size_t(field)];
    if (c.codes && bytes <= 1) {
        put(c.code, field, bytes ? char16_t(static_cast<unsigned char>(text[0])) : kNoCode);
        return;
    }
    if (c.codes)
        promoteToText(c);
    put(c.start, field, quint32(c.chars.size()));
    put(c.length, field, quint32(bytes));
    const size_t at = c.chars.size();
    c.chars.resize(at + size_t(bytes));
    for (int i = 0; i < bytes; ++i)
        c.chars[at + size_t(i)] = char16_t(static_cast<unsigned char>(text[i]));
}

// A code field met a longer value: from now on it keeps an arena.
void ColumnStore::promoteToText(Column& c)
{
    const int rows = int(c.code.size());
    c.start.assign(size_t(rows), 0);
    c.length.assign(size_t(rows), 0);
    c.chars.clear();
    for (int row = 0; row < rows; ++row) {
        c.start[size_t(row)] = quint32(c.chars.size());
        if (c.code[size_t(row)] != kNoCode) {
            c.chars.push_back(c.code[size_t(row)]);
            c.length[size_t(row)] = 1;
        }
    }
    c.codes = false;
    c.code = {};
}

int ColumnStore::appendRow(const std::vector<QVariant>& values)
{
    beginRow();
    for (Column& c : m_columns) {
        // A slot of the right type, filled below.
        switch (c.type) {
        case FieldType::Int32:
        case FieldType::Int16:
            c.ints.push_back(0);
            break;
        case FieldType::Float:
            c.floats.push_back(0.0);
            break;
        case FieldType::Date:
            c.days.push_back(0);
            break;
        case FieldType::DateTime:
            c.times.emplace_back();
            break;
        case FieldType::String:
            if (c.codes) {
                c.code.push_back(kNoCode);
            } else {
                c.start.push_back(quint32(c.chars.size()));
                c.length.push_back(0);
            }
            break;
        }
    }
    const int row = m_rows;
    endRow();
    setRow(row, values);
    return row;
}

void ColumnStore::setRow(int row, const std::vector<QVariant>& values)
{
    for (int f = 0; f < fieldCount(); ++f)
        setCell(row, f, values[size_t(f)]);
}

void ColumnStore::clearRow(int row)
{
    for (int f = 0; f < fieldCount(); ++f)
        setCell(row, f, QVariant());
}

void ColumnStore::setText(Column& c, int row, QStringView text)
{
    if (c.codes && !fitsCode(text))
        promoteToText(c);
    if (c.codes) {
        c.code[size_t(row)] = text.isEmpty() ? kNoCode : text.front().unicode();
        return;
    }
    const quint32 old = c.length[size_t(row)];
    if (quint32(text.size()) <= old) {
        // Fits where the old value was: no new arena space.
        std::copy(text.utf16(), text.utf16() + text.size(),
                  c.chars.begin() + ptrdiff_t(c.start[size_t(row)]));
        c.wasted += old - quint32(text.size());
    } else {
        c.wasted += old;
        c.start[size_t(row)] = quint32(c.chars.size());
        c.chars.insert(c.chars.end(), text.utf16(), text.utf16() + text.size());
    }
    c.length[size_t(row)] = quint32(text.size());
    if (c.wasted > 65536 && c.wasted * 2 > c.chars.size())
        compact(c);
}

// Edited tables leave old values behind in the arena; once they are the
// larger part, the live ones are copied into a fresh arena.
void ColumnStore::compact(Column& c)
{
    Cells<char16_t> fresh;
    fresh.reserve(c.chars.size() - c.wasted);
    for (size_t row = 0; row < c.start.size(); ++row) {
        const quint32 at = quint32(fresh.size());
        fresh.insert(fresh.end(), c.chars.begin() + ptrdiff_t(c.start[row]),
                     c.chars.begin() + ptrdiff_t(c.start[row] + c.length[row]));
        c.start[row] = at;
    }
    c.chars = std::move(fresh);
    c.wasted = 0;
}

void ColumnStore::setCell(int row, int field, const QVariant& value)
{
    Column& c = m_columns[size_t(field)];
    const bool null = !value.isValid();
    setNull(c, row, null);
    switch (c.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        c.ints[size_t(row)] = null ? 0 : value.toInt();
        break;
    case FieldType::Float:
        c.floats[size_t(row)] = null ? 0.0 : value.toDouble();
        break;
    case FieldType::Date:
        c.days[size_t(row)] = null ? 0 : value.toDate().toJulianDay();
        break;
    case FieldType::DateTime:
        c.times[size_t(row)] = null ? QDateTime() : value.toDateTime();
        break;
    case FieldType::String:
        if (null || value.metaType() != QMetaType::fromType<QString>())
            setText(c, row, null ? QString() : value.toString());
        else
            setText(c, row, *static_cast<const QString*>(value.constData()));
        break;
    }
}

QVariant ColumnStore::value(int row, int field) const
{
    const Column& c = m_columns[size_t(field)];
    if (c.isNull(row))
        return QVariant();
    switch (c.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return QVariant(c.ints[size_t(row)]);
    case FieldType::Float:
        return QVariant(c.floats[size_t(row)]);
    case FieldType::Date:
        return QVariant(QDate::fromJulianDay(c.days[size_t(row)]));
    case FieldType::DateTime:
        return QVariant(c.times[size_t(row)]);
    case FieldType::String:
        return QVariant(makeString(c.text(row)));
    }
    return QVariant();
}

int ColumnStore::compare(int field, int rowA, int rowB) const
{
    const Column& c = m_columns[size_t(field)];
    const bool na = c.isNull(rowA), nb = c.isNull(rowB);
    switch (c.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return threeWay(na ? 0 : c.ints[size_t(rowA)], nb ? 0 : c.ints[size_t(rowB)]);
    case FieldType::Float:
        return threeWay(na ? 0.0 : c.floats[size_t(rowA)], nb ? 0.0 : c.floats[size_t(rowB)]);
    case FieldType::Date:
        if (na || nb)
            return threeWay(!na, !nb);
        return threeWay(c.days[size_t(rowA)], c.days[size_t(rowB)]);
    case FieldType::DateTime:
        if (na || nb)
            return threeWay(!na, !nb);
        return threeWay(c.times[size_t(rowA)], c.times[size_t(rowB)]);
    case FieldType::String:
        return sign(c.text(rowA).compare(c.text(rowB), Qt::CaseSensitive));
    }
    return 0;
}

int ColumnStore::compare(int field, int row, const QVariant& canonical) const
{
    const Column& c = m_columns[size_t(field)];
    const bool na = c.isNull(row), nb = !canonical.isValid();
    switch (c.type) {
    case FieldType::Int32:
    case FieldType::Int16:
        return threeWay(na ? 0 : c.ints[size_t(row)],
                        nb ? 0 : *static_cast<const int*>(canonical.constData()));
    case FieldType::Float:
        return threeWay(na ? 0.0 : c.floats[size_t(row)],
                        nb ? 0.0 : *static_cast<const double*>(canonical.constData()));
    case FieldType::Date:
        if (na || nb)
            return threeWay(!na, !nb);
        return threeWay(c.days[size_t(row)],
                        static_cast<const QDate*>(canonical.constData())->toJulianDay());
    case FieldType::DateTime:
        if (na || nb)
            return threeWay(!na, !nb);
        return threeWay(c.times[size_t(row)], *static_cast<const QDateTime*>(canonical.constData()));
    case FieldType::String: {
        const QStringView key =
            nb ? QStringView() : QStringView(*static_cast<const QString*>(canonical.constData()));
        if (c.codes) {
            // One character or none against the key, without a string compare.
            const bool has = !na && c.code[size_t(row)] != kNoCode;
            if (!has || key.isEmpty())
                return threeWay(has, !key.isEmpty());
            const char16_t a = c.code[size_t(row)], b = key.front().unicode();
            return a != b ? threeWay(a, b) : (key.size() == 1 ? 0 : -1);
        }
        return sign(c.text(row).compare(key, Qt::CaseSensitive));
    }
    }
    return 0;
}

bool ColumnStore::intKeyOf(int field, const QVariant& canonical, int* out) const
{
    const Column& c = m_columns[size_t(field)];
    if (!canonical.isValid()) {
        *out = 0;
        return true;
    }
    if (!c.codes) {
        *out = *static_cast<const int*>(canonical.constData());
        return true;
    }
    const QString& text = *static_cast<const QString*>(canonical.constData());
    if (text.size() > 1)
        return false;
    *out = text.isEmpty() ? 0 : int(text.front().unicode()) + 1;
    return true;
}

size_t ColumnStore::memoryUsed() const
{
    size_t total = 0;
    for (const Column& c : m_columns) {
        total += bytes(c.nulls) + bytes(c.ints) + bytes(c.floats) + bytes(c.days) +
                 bytes(c.times) + bytes(c.code) + bytes(c.start) +
                 bytes(c.length) + bytes(c.chars);
    }
    return total;
}
