#include "RecordFileReader.h"

#include <QFile>
#include <algorithm>
#include <cstring>

RecordFileReader::RecordFileReader(int columnCount, RecordHandler handler)
    : m_columns(std::max(1, columnCount)), m_handler(std::move(handler))
{
    m_fieldBounds.reserve(2 * size_t(m_columns));
    m_views.resize(size_t(m_columns));
}

void RecordFileReader::feed(const char* data, size_t size)
{
    m_stats.bytes += (long long)size;
    compact();
    appendTranslated(data, size);
    scan();
}

void RecordFileReader::finish()
{
    if (m_pendingCr) {
        m_pendingCr = false;
        m_buffer.push_back('\r');
    }
    scan();
    m_stats.ignoredFields = int(m_fieldBounds.size() / 2);
    m_stats.ignoredTail = m_fieldStart < m_buffer.size();
    m_buffer.clear();
    m_fieldBounds.clear();
    m_scanned = m_recordStart = m_fieldStart = 0;
}

// Drops the text of records already handed out, once it is at least half of
// the buffer, so that the buffer stays near the size of one piece.
void RecordFileReader::compact()
{
    if (m_recordStart == 0 || m_recordStart < m_buffer.size() / 2)
        return;
    const size_t shift = m_recordStart;
    m_buffer.erase(0, shift);
    for (size_t& bound : m_fieldBounds)
        bound -= shift;
    m_scanned -= shift;
    m_fieldStart -= shift;
    m_recordStart = 0;
}

void RecordFileReader::appendTranslated(const char* data, size_t size)
{
    const char* p = data;
    const char* end = data + size;
    if (m_pendingCr && p < end) {
        m_pendingCr = false;
        if (*p != '\n')
            m_buffer.push_back('\r'); // a lone CR is an ordinary character
    }
    while (p < end) {
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
        if (!cr) {
            m_buffer.append(p, size_t(end - p));
            return;
        }
        m_buffer.append(p, size_t(cr - p));
        if (cr + 1 == end) {
            m_pendingCr = true; // the next piece decides
            return;
        }
        if (cr[1] != '\n')
            m_buffer.push_back('\r');
        p = cr + 1;
    }
}

void RecordFileReader::scan()
{
    const char* base = m_buffer.data();
    const char* end = base + m_buffer.size();
    const size_t wanted = 2 * size_t(m_columns);
    // Fields are short: a plain loop beats a library search call per field.
    for (const char* p = base + m_scanned; p < end; ++p) {
        if (*p != '@')
            continue;
        const size_t at = size_t(p - base);
        m_stats.longestField = std::max(m_stats.longestField, (long long)(at - m_fieldStart));
        ++m_stats.fields;
        m_fieldBounds.push_back(m_fieldStart);
        m_fieldBounds.push_back(at);
        m_fieldStart = at + 1;
        if (m_fieldBounds.size() < wanted)
            continue;
        for (size_t k = 0; k < size_t(m_columns); ++k) {
            const size_t from = m_fieldBounds[2 * k];
            m_views[k] = std::string_view(base + from, m_fieldBounds[2 * k + 1] - from);
        }
        ++m_stats.records;
        m_handler(m_views.data());
        m_fieldBounds.clear();
        m_recordStart = m_fieldStart;
    }
    m_scanned = m_buffer.size();
}

RecordFileReader::Statistics RecordFileReader::readFile(const QString& nativePath, int columnCount,
                                                        RecordHandler handler)
{
    RecordFileReader reader(columnCount, std::move(handler));
    QFile file(nativePath);
    // Binary: the reader itself turns CR LF into LF, also across pieces.
    if (!file.open(QIODevice::ReadOnly))
        return reader.statistics();
    std::vector<char> piece(1 << 18);
    for (;;) {
        const qint64 got = file.read(piece.data(), qint64(piece.size()));
        if (got <= 0)
            break;
        reader.feed(piece.data(), size_t(got));
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
