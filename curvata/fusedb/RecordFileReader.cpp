#include "RecordFileReader.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kPiece = size_t(1) << 18;
}

RecordFileReader::RecordFileReader(int columnCount, RecordHandler handler)
    : m_columns(std::max(1, columnCount)), m_handler(std::move(handler))
{
    m_fieldBounds.resize(2 * size_t(m_columns));
    m_views.resize(size_t(m_columns));
}

void RecordFileReader::feed(const char* data, size_t size)
{
    compact();
    std::memcpy(tail(size), data, size);
    commit(size);
    scan();
}

void RecordFileReader::finish()
{
    if (m_pendingCr) {
        m_pendingCr = false;
        ++m_size; // a CR at the very end is an ordinary character
    }
    scan();
    m_stats.ignoredFields = int(m_boundCount / 2);
    m_stats.fields += m_stats.ignoredFields;
    // A line break after the last record is how files end; only other text
    // there is worth telling about.
    m_stats.ignoredTail =
        std::any_of(m_data.get() + std::min(m_fieldStart, m_size), m_data.get() + m_size,
                    [](char c) { return c != ' ' && c != '\t' && c != '\n' && c != '\r'; });
    m_size = m_scanned = m_recordStart = m_fieldStart = m_boundCount = 0;
}

char* RecordFileReader::tail(size_t size)
{
    const size_t kept = m_size + (m_pendingCr ? 1 : 0);
    if (kept + size > m_capacity) {
        const size_t capacity = std::max({2 * m_capacity, kept + size, kPiece});
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (kept > 0)
            std::memcpy(grown.get(), m_data.get(), kept);
        m_data = std::move(grown);
        m_capacity = capacity;
    }
    return m_data.get() + kept;
}

void RecordFileReader::commit(size_t size)
{
    m_stats.bytes += (long long)size;
    // The undecided CR, if any, is the first byte of the region.
    char* src = m_data.get() + m_size;
    char* const end = src + size + (m_pendingCr ? 1 : 0);
    char* dst = src;
    m_pendingCr = false;
    while (src < end) {
        char* cr = static_cast<char*>(std::memchr(src, '\r', size_t(end - src)));
        char* stop = cr ? cr : end;
        if (dst != src)
            std::memmove(dst, src, size_t(stop - src));
        dst += stop - src;
        if (!cr)
            break;
        if (cr + 1 == end) {
            *dst = '\r'; // the next piece decides; kept just past the text
            m_pendingCr = true;
            break;
        }
        if (cr[1] != '\n')
            *dst++ = '\r'; // a lone CR is an ordinary character
        src = cr + 1;
    }
    m_size = size_t(dst - m_data.get());
}

// Drops the text of records already handed out, once it is at least half of
// what is kept, so that the buffer stays near the size of a piece.
void RecordFileReader::compact()
{
    if (m_recordStart == 0 || m_recordStart < m_size / 2)
        return;
    const size_t shift = m_recordStart;
    const size_t kept = m_size + (m_pendingCr ? 1 : 0) - shift;
    std::memmove(m_data.get(), m_data.get() + shift, kept);
    for (size_t k = 0; k < m_boundCount; ++k)
        m_fieldBounds[k] -= shift;
    m_size -= shift;
    m_scanned -= shift;
    m_fieldStart -= shift;
    m_recordStart = 0;
}

void RecordFileReader::scan()
{
    const char* base = m_data.get();
    const char* end = base + m_size;
    const size_t wanted = 2 * size_t(m_columns);
    size_t* bounds = m_fieldBounds.data();
    size_t count = m_boundCount;
    long long longest = m_stats.longestField;
    // Fields are short: a plain loop beats a library search call per field.
    for (const char* p = base + m_scanned; p < end; ++p) {
        if (*p != '@')
            continue;
        const size_t at = size_t(p - base);
        longest = std::max(longest, (long long)(at - m_fieldStart));
        bounds[count++] = m_fieldStart;
        bounds[count++] = at;
        m_fieldStart = at + 1;
        if (count < wanted)
            continue;
        for (size_t k = 0; k < size_t(m_columns); ++k)
            m_views[k] = std::string_view(base + bounds[2 * k], bounds[2 * k + 1] - bounds[2 * k]);
        m_stats.fields += m_columns;
        ++m_stats.records;
        m_handler(m_views.data());
        count = 0;
        m_recordStart = m_fieldStart;
    }
    m_boundCount = count;
    m_stats.longestField = longest;
    m_scanned = m_size;
}

RecordFileReader::Statistics RecordFileReader::readFile(const QString& nativePath, int columnCount,
                                                        RecordHandler handler)
{
    RecordFileReader reader(columnCount, std::move(handler));
    QFile file(nativePath);
    // Binary: the reader itself turns CR LF into LF, also across pieces.
    if (!file.open(QIODevice::ReadOnly))
        return reader.statistics();
    for (;;) {
        reader.compact();
        // Read straight into the reader's buffer: no copy of the file.
        const qint64 got = file.read(reader.tail(kPiece), qint64(kPiece));
        if (got <= 0)
            break;
        reader.commit(size_t(got));
        reader.scan();
    }
    reader.finish();
    Statistics stats = reader.statistics();
    stats.opened = true;
    return stats;
}

RecordFileReader::Statistics RecordFileReader::readBytes(std::string_view bytes, int columnCount,
                                                         RecordHandler handler)
{
    RecordFileReader reader(columnCount, std::move(handler));
    reader.feed(bytes.data(), bytes.size());
    reader.finish();
    Statistics stats = reader.statistics();
    stats.opened = true;
    return stats;
}
