#include "OrderedKeys.h"

#include "ColumnStore.h"

#include <algorithm>

namespace {
constexpr size_t kStep = 32;

// Where a bound lies once a sample of every kStep-th value has put it at
// sample position k: in the block after sample entry k - 1.
std::pair<size_t, size_t> block(size_t k, size_t size)
{
    return {k == 0 ? 0 : (k - 1) * kStep + 1, std::min(k * kStep, size)};
}
} // namespace

void OrderedKeys::clear()
{
    m_first.clear();
    m_sample.clear();
    m_coarse.clear();
    m_rest.clear();
    m_width = m_fields = m_size = 0;
    m_built = false;
}

void OrderedKeys::build(const ColumnStore& cells, const std::vector<int>& fields,
                        const std::vector<int>& rows)
{
    clear();
    m_size = rows.size();
    m_built = true;
    while (m_fields < fields.size() && cells.hasIntKey(fields[m_fields]))
        ++m_fields;
    if (m_fields == 0)
        return;
    m_width = m_fields - 1;
    m_first.reserve(rows.size());
    m_rest.reserve(rows.size() * m_width);
    for (int row : rows) {
        m_first.push_back(cells.intKey(row, fields[0]));
        for (size_t f = 1; f < m_fields; ++f)
            m_rest.push_back(cells.intKey(row, fields[f]));
    }
    for (size_t i = 0; i < m_first.size(); i += kStep)
        m_sample.push_back(m_first[i]);
    for (size_t i = 0; i < m_sample.size(); i += kStep)
        m_coarse.push_back(m_sample[i]);
}

// lower_bound (upper_bound when `upper`) of `value` in m_first, through the
// coarse sample, the sample and one block of each.
size_t OrderedKeys::lowerBound(int value, bool upper) const
{
    auto search = [&](const std::vector<int>& v, size_t from, size_t to) {
        const auto a = v.begin() + ptrdiff_t(from), b = v.begin() + ptrdiff_t(to);
        return size_t((upper ? std::upper_bound(a, b, value) : std::lower_bound(a, b, value)) -
                      v.begin());
    };
    const size_t c = search(m_coarse, 0, m_coarse.size());
    const auto [s0, s1] = block(c, m_sample.size());
    const size_t s = search(m_sample, s0, s1);
    const auto [f0, f1] = block(s, m_first.size());
    return search(m_first, f0, f1);
}

size_t OrderedKeys::narrow(const ColumnStore& cells, const std::vector<int>& fields,
                           const std::vector<QVariant>& key, size_t* lo, size_t* hi) const
{
    size_t used = 0;
    for (; used < key.size() && used < m_fields; ++used) {
        int value = 0;
        if (!cells.intKeyOf(fields[used], key[used], &value))
            break; // a text the field cannot hold: the caller compares
        if (used == 0) {
            *lo = lowerBound(value, false);
            *hi = lowerBound(value, true);
        } else {
            // Rows equal so far are ordered by this field.
            const size_t f = used - 1;
            size_t a = *lo, b = *hi;
            while (a < b) { // first row not less than value
                const size_t m = a + (b - a) / 2;
                if (m_rest[m * m_width + f] < value)
                    a = m + 1;
                else
                    b = m;
            }
            size_t c = a, d = *hi;
            while (c < d) { // first row greater than value
                const size_t m = c + (d - c) / 2;
                if (m_rest[m * m_width + f] <= value)
                    c = m + 1;
                else
                    d = m;
            }
            *lo = a;
            *hi = c;
        }
        if (*lo == *hi)
            return used + 1;
    }
    return used;
}
