#pragma once

#include <QString>
#include <functional>
#include <string>
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
class RecordFileReader
{
public:
    using RecordHandler = std::function<void(const std::string_view* fields)>;

    struct Statistics
    {
        bool opened = false;        // the file existed and could be read
        long long bytes = 0;        // bytes of the file as stored
        long long fields = 0;       // terminated fields
        long long records = 0;      // complete records passed to the handler
        int ignoredFields = 0;      // fields of the incomplete last record
        bool ignoredTail = false;   // text after the last terminator
        long long longestField = 0; // characters, after CR LF became LF
    };

    RecordFileReader(int columnCount, RecordHandler handler);

    void feed(const char* data, size_t size);
    void finish();
    const Statistics& statistics() const { return m_stats; }

    // Reads a whole file (a native path). A file that does not exist or
    // cannot be opened gives no records and statistics().opened false.
    static Statistics readFile(const QString& nativePath, int columnCount, RecordHandler handler);
    // The same over bytes in memory.
    static Statistics readBytes(std::string_view bytes, int columnCount, RecordHandler handler);

private:
    void compact();
    void appendTranslated(const char* data, size_t size);
    void scan();

    int m_columns;
    RecordHandler m_handler;
    std::string m_buffer;              // text (CR LF already LF) from the current record on
    size_t m_scanned = 0;              // m_buffer is searched for terminators up to here
    size_t m_recordStart = 0;          // start of the record being collected
    size_t m_fieldStart = 0;           // start of the field being collected
    bool m_pendingCr = false;          // a CR at the end of the last piece
    std::vector<size_t> m_fieldBounds; // start/end offsets of the fields collected
    std::vector<std::string_view> m_views;
    Statistics m_stats;
};
