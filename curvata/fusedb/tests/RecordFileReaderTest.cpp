#include "RecordFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Records = std::vector<std::vector<std::string>>;

namespace {

Records collect(std::string_view bytes, int columns, RecordFileReader::Statistics* stats = nullptr)
{
    Records records;
    const auto s = RecordFileReader::readBytes(
        bytes, columns, [&](const std::string_view* f) { records.emplace_back(f, f + columns); });
    if (stats)
        *stats = s;
    return records;
}

// The same bytes fed one at a time, so that every CR LF and every field
// straddles a piece boundary.
Records collectBytewise(std::string_view bytes, int columns)
{
    Records records;
    RecordFileReader reader(
        columns, [&](const std::string_view* f) { records.emplace_back(f, f + columns); });
    for (char c : bytes)
        reader.feed(&c, 1);
    reader.finish();
    return records;
}

} // namespace

TEST(RecordFileReader, GroupsTerminatedFieldsIntoRecords)
{
    RecordFileReader::Statistics stats;
    const Records r = collect("a@b@c@d@e@f@g@h@", 3, &stats);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(r[1], (std::vector<std::string>{"d", "e", "f"}));
    EXPECT_EQ(stats.fields, 8);
    EXPECT_EQ(stats.records, 2);
    EXPECT_EQ(stats.ignoredFields, 2); // "g" and "h" make no whole record
    EXPECT_FALSE(stats.ignoredTail);

    collect("a@b@\r\n \t", 2, &stats); // the usual line break at the end
    EXPECT_FALSE(stats.ignoredTail);
}

TEST(RecordFileReader, KeepsBlanksAndLineBreaksAndDropsTheUnterminatedTail)
{
    RecordFileReader::Statistics stats;
    const Records r = collect(" a @@\tb\r\n@\r\nc@d", 2, &stats);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (std::vector<std::string>{" a ", ""}));
    EXPECT_EQ(r[1], (std::vector<std::string>{"\tb\n", "\nc"}));
    EXPECT_TRUE(stats.ignoredTail);
    EXPECT_EQ(stats.ignoredFields, 0);
}

TEST(RecordFileReader, TurnsOnlyCrLfIntoLfEvenAcrossPieces)
{
    const std::string bytes = "x\r\ny@\r\r\n@a\rb@\r@c\r";
    const Records whole = collect(bytes, 1);
    const Records pieces = collectBytewise(bytes, 1);
    ASSERT_EQ(whole.size(), 4u);
    EXPECT_EQ(whole[0][0], "x\ny");
    EXPECT_EQ(whole[1][0], "\r\n");
    EXPECT_EQ(whole[2][0], "a\rb");
    EXPECT_EQ(whole[3][0], "\r");
    EXPECT_EQ(pieces, whole);
}

TEST(RecordFileReader, PiecewiseFeedingMatchesWholeReading)
{
    std::string bytes;
    for (int i = 0; i < 500; ++i)
        bytes += std::to_string(i) + "@\r\nname " + std::to_string(i) + "@" +
                 std::string(size_t(i % 7), 'x') + "@";
    EXPECT_EQ(collectBytewise(bytes, 3), collect(bytes, 3));
    EXPECT_EQ(collect(bytes, 3).size(), 500u);
}

TEST(RecordFileReader, KeepsFieldsOfAnyLengthWhole)
{
    const std::string longName(100000, 'n');
    RecordFileReader::Statistics stats;
    const Records r = collect(longName + "@1@" + std::string(300, 'k') + "@", 3, &stats);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0], longName);
    EXPECT_EQ(r[0][2].size(), 300u);
    EXPECT_EQ(stats.longestField, 100000);
}

TEST(RecordFileReader, MissingAndEmptyFilesAreEmptyTables)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int calls = 0;
    auto count = [&](const std::string_view*) { ++calls; };
    const auto missing = RecordFileReader::readFile(dir.filePath("vars.rec"), 3, count);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(missing.records, 0);

    QFile empty(dir.filePath("empty.rec"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const auto none = RecordFileReader::readFile(dir.filePath("empty.rec"), 3, count);
    EXPECT_TRUE(none.opened);
    EXPECT_EQ(calls, 0);

    QFile file(dir.filePath("big.rec"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "1@2@0.5@0.5@\r\n";
    file.write(bytes.data(), qint64(bytes.size()));
    file.close();
    const auto big = RecordFileReader::readFile(dir.filePath("big.rec"), 4, count);
    EXPECT_EQ(big.records, 100000);
    EXPECT_EQ(big.bytes, qint64(bytes.size()));
    EXPECT_EQ(calls, 100000);
}

// The encoding is a property of the whole file: bytes far beyond the first
// piece decide it, and a character cut by a piece boundary is still whole.
TEST(RecordFileReader, DecidesTheEncodingOfTheWholeFileBeforeTheFirstRecord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto decide = [&](const std::string& tail) {
        std::string bytes(262143, ' '); // one byte short of the reader's piece
        bytes += "\xc5\x82@" + tail;
        QFile file(dir.filePath("vars.rec"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), qint64(bytes.size()));
        file.close();
        std::optional<TextEncoding> told;
        int recordsBeforeTold = 0;
        const auto stats = RecordFileReader::readFile(
            dir.filePath("vars.rec"), 1,
            [&](const std::string_view*) { recordsBeforeTold += told ? 0 : 1; },
            [&](TextEncoding encoding) { told = encoding; });
        EXPECT_EQ(recordsBeforeTold, 0);
        EXPECT_EQ(stats.records, tail.empty() ? 1 : 2);
        EXPECT_EQ(stats.encoding, told);
        return told;
    };
    EXPECT_EQ(decide(""), TextEncoding::Utf8);
    EXPECT_EQ(decide("Wk\xb3" "adka@"), TextEncoding::Windows1250);
}
