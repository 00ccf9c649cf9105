#include "RecordFileReader.h"

#include "Utf8Validator.h"

#include <QFile>
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr size_t kPiece = size_t(1) << 18;
}

RecordFileReader::RecordFileReader(int columnCount, RecordHandler handler)
    : m_columns(std::max(1, columnCount)), m_handler(std::move(handler))
{
    m_terminators.resize(size_t(m_columns));
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
    m_stats.ignoredFields = int(m_terminatorCount);
    m_stats.fields += m_stats.ignoredFields;
    // A line break after the last record is how files end; only other text
    // there is worth telling about.
    m_stats.ignoredTail =
        std::any_of(m_data.get() + std::min(m_fieldStart, m_size), m_data.get() + m_size,
                    [](char c) { return c != ' ' && c != '\t' && c != '\n' && c != '\r'; });
    m_size = m_scanned = m_recordStart = m_fieldStart = m_terminatorCount = 0;
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
    for (size_t k = 0; k < m_terminatorCount; ++k)
        m_terminators[k] -= shift;
    m_size -= shift;
    m_scanned -= shift;
    m_fieldStart -= shift;
    m_recordStart = 0;
}

void RecordFileReader::scan()
{
    // Locals rather than members in the loop: the compiler must otherwise
    // assume that every store of a view may change them.
    const char* const base = m_data.get();
    const size_t size = m_size;
    const size_t columns = size_t(m_columns);
    size_t* const terminators = m_terminators.data();
    std::string_view* const views = m_views.data();
    size_t count = m_terminatorCount;
    size_t fieldStart = m_fieldStart;
    size_t recordStart = m_recordStart;
    size_t longest = size_t(m_stats.longestField);
    long long records = 0;

    auto terminate = [&](size_t at) {
        longest = std::max(longest, at - fieldStart);
        terminators[count++] = at;
        fieldStart = at + 1;
        if (count < columns)
            return;
        size_t start = recordStart;
        for (size_t k = 0; k < columns; ++k) {
            views[k] = std::string_view(base + start, terminators[k] - start);
            start = terminators[k] + 1;
        }
        ++records;
        m_handler(views);
        count = 0;
        recordStart = fieldStart;
    };

    size_t pos = m_scanned;
#if defined(__SSE2__)
    // Fields are a few characters long: comparing sixteen bytes at a time
    // and visiting only the terminators found beats both a loop over every
    // byte and a library search call per field.
    const __m128i at = _mm_set1_epi8('@');
    for (; pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + pos));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, at)));
        while (mask != 0) {
            terminate(pos + size_t(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; pos < size; ++pos) {
        if (base[pos] == '@')
            terminate(pos);
    }

    m_terminatorCount = count;
    m_fieldStart = fieldStart;
    m_recordStart = recordStart;
    m_stats.longestField = (long long)longest;
    m_stats.records += records;
    m_stats.fields += records * m_columns;
    m_scanned = size;
}

namespace {

// Reads the file through once: is all of it well-formed UTF-8? Leaves the
// file at its start. Empty when the file cannot be read again.
std::optional<TextEncoding> decideEncoding(QFile& file, char* buffer, size_t size)
{
    Utf8Validator validator;
    for (;;) {
        const qint64 got = file.read(buffer, qint64(size));
        if (got <= 0)
            break;
        validator.feed(buffer, size_t(got));
        if (validator.failed())
            break; // nothing later can make it UTF-8 again
    }
    if (!file.seek(0))
        return std::nullopt;
    return validator.valid() ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

} // namespace

RecordFileReader::Statistics RecordFileReader::readFile(const QString& nativePath, int columnCount,
                                                        RecordHandler handler,
                                                        const EncodingHandler& encoding)
{
    RecordFileReader reader(columnCount, std::move(handler));
    QFile file(nativePath);
    // Binary: the reader itself turns CR LF into LF, also across pieces.
    if (!file.open(QIODevice::ReadOnly))
        return reader.statistics();
    if (encoding) {
        const std::optional<TextEncoding> decided = decideEncoding(file, reader.tail(kPiece), kPiece);
        if (!decided)
            return reader.statistics();
        reader.m_stats.encoding = decided;
        encoding(*decided);
    }
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
                                                         RecordHandler handler,
                                                         const EncodingHandler& encoding)
{
    RecordFileReader reader(columnCount, std::move(handler));
    if (encoding) {
        reader.m_stats.encoding = FieldConversion::encodingOf(bytes);
        encoding(*reader.m_stats.encoding);
    }
    reader.feed(bytes.data(), bytes.size());
    reader.finish();
    Statistics stats = reader.statistics();
    stats.opened = true;
    return stats;
}
