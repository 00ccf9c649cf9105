#pragma once

#include "FieldConversion.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// Cuts a record file into fields and records. Every field ends with '@';
// there is no other separator, no quoting and no escaping, and nothing is
// trimmed. The file is read as text: CR LF arrives as LF (a lone CR stays).
// Fields are grouped into records of `columnCount` in file order; a trailing
// group of fewer fields and any text after the last '@' are ignored. Fields
// of any length are kept whole.
//
// Feed the bytes in pieces of any size (feed), then call finish(). The
// handler sees each complete record as `columnCount` views that are valid
// only during the call.
//
// The reading functions decide, when asked, how the whole file's text is
// written before they hand out its first record: every field of a file is
// then decoded alike, and a name means the same bytes throughout it.
class RecordFileReader
{
public:
    using RecordHandler = std::function<void(const std::string_view* fields)>;
    // Told the file's encoding once, before the first record.
    using EncodingHandler = std::function<void(TextEncoding)>;

    struct Statistics
    {
        bool opened = false;   // the file existed and could be read
        long long bytes = 0;   // bytes of the file as stored
        long long fields = 0;  // terminated fields
        long long records = 0; // complete records passed to the handler
        int ignoredFields = 0; // fields of the incomplete last record
        bool ignoredTail =
            false; // text other than blanks and line breaks after the last terminator
        long long longestField = 0; // characters, after CR LF became LF
        std::optional<TextEncoding> encoding; // when the reader was asked to decide it
    };

    RecordFileReader(int columnCount, RecordHandler handler);

    void feed(const char* data, size_t size);
    void finish();
    const Statistics& statistics() const { return m_stats; }

    // Reads a whole file (a native path). A file that does not exist or
    // cannot be opened gives no records and statistics().opened false. With
    // an encoding handler the file is first read through once to decide
    // its encoding.
    static Statistics readFile(const QString& nativePath, int columnCount, RecordHandler handler,
                               const EncodingHandler& encoding = {});
    // The same over bytes in memory.
    static Statistics readBytes(std::string_view bytes, int columnCount, RecordHandler handler,
                                const EncodingHandler& encoding = {});

private:
    // Room for `size` more bytes after the text (and after an undecided CR).
    char* tail(size_t size);
    // Turns the `size` bytes just placed at tail() into text, in place.
    void commit(size_t size);
    void compact();
    void scan();

    int m_columns;
    RecordHandler m_handler;
    // Text (CR LF already LF) from the current record on. A CR that ended
    // the last piece waits, undecided, at m_data[m_size].
    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
    bool m_pendingCr = false;
    size_t m_scanned = 0;              // searched for terminators up to here
    size_t m_recordStart = 0;          // start of the record being collected
    size_t m_fieldStart = 0;           // start of the field being collected
    std::vector<size_t> m_terminators; // offsets of the record's terminators so far
    size_t m_terminatorCount = 0;
    std::vector<std::string_view> m_views;
    Statistics m_stats;
};
