#pragma once

#include <QVariant>
#include <vector>

class ColumnStore;

// The leading key fields of an ordered list of rows, copied in that order as
// integers (integer fields as they are, one-character codes as character +
// 1, no value and "" as 0). A keyed search then reads a few adjacent cache
// lines instead of rows all over memory: the first field has an array of
// its own with two samples above it (every 32nd value, and every 32nd of
// those, which stays in the first-level cache); the further fields of a row
// lie side by side, so that the rows that share the first field share a
// cache line or two.
class OrderedKeys
{
public:
    void clear();
    bool isBuilt() const { return m_built; }
    size_t size() const { return m_size; }
    // `fields` is the order, `rows` the row ids in that order.
    void build(const ColumnStore& cells, const std::vector<int>& fields,
               const std::vector<int>& rows);
    // Narrows [*lo, *hi) (the whole list on entry) to the rows whose leading
    // fields equal the leading values of `key` (canonical, as the order's
    // fields); returns how many key values it took, the rest being up to the
    // caller.
    size_t narrow(const ColumnStore& cells, const std::vector<int>& fields,
                  const std::vector<QVariant>& key, size_t* lo, size_t* hi) const;

private:
    size_t lowerBound(int value, bool upper) const;

    std::vector<int> m_first;            // the first field
    std::vector<int> m_sample, m_coarse; // every 32nd of m_first, of m_sample
    std::vector<int> m_rest;             // further fields, m_width per row
    size_t m_width = 0;
    size_t m_fields = 0; // fields copied (0 when the first one cannot be)
    size_t m_size = 0;
    bool m_built = false;
};
