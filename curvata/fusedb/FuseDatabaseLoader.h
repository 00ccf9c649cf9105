#pragma once

#include "FuseDatabaseLoadReport.h"
#include "FuseModel.h"
#include "RecordFileReader.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

// Builds a FuseDatabase and a CharacteristicTypeTable from the record files
// of the five tables. The order of loading and the first-match rules of
// linking are those the data's maintainers rely on:
//  1. `var_grup`: groups ordered by ascending level (equal levels in file
//     order); level-1 groups are the top level.
//  2. No top-level group: loading stops (no fuses at all).
//  3. Each group of another level links to the first group named by its
//     parent name one level up; otherwise it stays unlinked.
//  4. `vars`: a fuse joins the first group of its group name, any level;
//     every fuse is kept, with or without a group.
//  5. `karakt`: a characteristic with a valid id joins the first fuse of its
//     name when its type exists (the type table is asked for on first use).
//  6. `tocka`: a valid point joins the first characteristic of its id
//     (fuses in order, then their characteristics); points keep file order.
// Each file is decoded in its one encoding, and a name read in one file
// finds a name of another only when their bytes are the same.
class FuseDatabaseLoader
{
public:
    // Reads the record file of a table (name without ".rec") into records;
    // with an encoding handler, tells the file's encoding first.
    using TableSource = std::function<RecordFileReader::Statistics(
        const QString& table, int columnCount, const RecordFileReader::RecordHandler& handler,
        const RecordFileReader::EncodingHandler& encoding, QString* path)>;

    // Record files "<table>.rec" in `directory`, through WinPath.
    static TableSource directorySource(const QString& directory);
    // Record files held in memory, by table name; a table not given is a
    // missing file.
    static TableSource memorySource(std::map<QString, std::string> files);

    // The tables' column counts (records are cut by them).
    static int columnCount(const QString& table);

    explicit FuseDatabaseLoader(TableSource source);
    ~FuseDatabaseLoader();

    // Where characteristic types come from; by default the loader reads
    // `tip_kar` itself from the same source on first need.
    void useTypeTable(std::function<const CharacteristicTypeTable&()> provider);
    void setReport(FuseDatabaseLoadReport* report) { m_report = report; }

    std::unique_ptr<FuseDatabase> load();
    // The type table the loader read itself, if it needed one.
    const CharacteristicTypeTable* ownTypeTable() const { return m_ownTypes.get(); }

    static std::unique_ptr<CharacteristicTypeTable>
    loadTypes(const TableSource& source, FuseDatabaseLoadReport* report = nullptr);

private:
    void readGroups(FuseDatabase& db);
    void linkGroups(FuseDatabase& db);
    void readFuses(FuseDatabase& db);
    void readCharacteristics(FuseDatabase& db);
    void readPoints(FuseDatabase& db);
    const CharacteristicTypeTable& types();
    RecordFileReader::Statistics read(const QString& table,
                                      const RecordFileReader::RecordHandler& handler);
    void issue(const QString& table, long long record, const QString& message);
    // A field of the file being read, decoded and quoted for a message.
    QString quoted(std::string_view field) const;
    // What to add to "no fuse X" when X is there but written in another
    // encoding than the field naming it.
    QString otherEncodingNote(bool foundAsText, TextEncoding target) const;
    // Why a `karakt` record found no fuse or no type.
    QString missing(const FuseDatabase& db, const std::string_view* fields);

    TableSource m_source;
    std::function<const CharacteristicTypeTable&()> m_typeProvider;
    const CharacteristicTypeTable* m_types = nullptr;
    std::unique_ptr<CharacteristicTypeTable> m_ownTypes;
    FuseDatabaseLoadReport* m_report = nullptr;
    // The encoding of the file being read, and of the group and fuse files.
    TextEncoding m_encoding = TextEncoding::Utf8;
    TextEncoding m_groupEncoding = TextEncoding::Utf8;
    TextEncoding m_fuseEncoding = TextEncoding::Utf8;
};
