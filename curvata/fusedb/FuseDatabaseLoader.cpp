#include "FuseDatabaseLoader.h"

#include "FieldConversion.h"
#include "WinPath.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// The fixed descriptors of the tables: name and column names (the columns
// document the files; only their count cuts the records).
struct TableDescriptor
{
    const char* name;
    std::array<const char*, 9> columns;
    int columnCount;
};

constexpr std::array<TableDescriptor, 5> kDescriptors = {{
    {"var_grup", {"ime", "path", "nivo"}, 3},
    {"tip_kar",
     {"ime", "enotax", "islogx", "startx", "endx", "enotay", "islogy", "starty", "endy"},
     9},
    {"vars", {"ime", "katst", "parent"}, 3},
    {"karakt", {"id", "tipkar", "imevar"}, 3},
    {"tocka", {"idkar", "zapst", "x", "y"}, 4},
}};

QString encodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8")
                                          : QStringLiteral("Windows-1250");
}

} // namespace

int FuseDatabaseLoader::columnCount(const QString& table)
{
    for (const TableDescriptor& d : kDescriptors) {
        if (table == QLatin1String(d.name))
            return d.columnCount;
    }
    return 0;
}

FuseDatabaseLoader::TableSource FuseDatabaseLoader::directorySource(const QString& directory)
{
    return [directory](const QString& table, int columns,
                       const RecordFileReader::RecordHandler& handler,
                       const RecordFileReader::EncodingHandler& encoding, QString* path) {
        const QString native =
            WinPath::toNative(directory + QLatin1Char('\\') + table + QStringLiteral(".rec"));
        if (path)
            *path = native;
        return RecordFileReader::readFile(native, columns, handler, encoding);
    };
}

FuseDatabaseLoader::TableSource
FuseDatabaseLoader::memorySource(std::map<QString, std::string> files)
{
    auto shared = std::make_shared<const std::map<QString, std::string>>(std::move(files));
    return [shared](const QString& table, int columns,
                    const RecordFileReader::RecordHandler& handler,
                    const RecordFileReader::EncodingHandler& encoding, QString* path) {
        if (path)
            *path = table + QStringLiteral(".rec");
        const auto it = shared->find(table);
        if (it == shared->end())
            return RecordFileReader::Statistics{};
        return RecordFileReader::readBytes(it->second, columns, handler, encoding);
    };
}

FuseDatabaseLoader::FuseDatabaseLoader(TableSource source) : m_source(std::move(source)) {}

FuseDatabaseLoader::~FuseDatabaseLoader() = default;

void FuseDatabaseLoader::useTypeTable(std::function<const CharacteristicTypeTable&()> provider)
{
    m_typeProvider = std::move(provider);
}

RecordFileReader::Statistics
FuseDatabaseLoader::read(const QString& table, const RecordFileReader::RecordHandler& handler)
{
    QString path;
    // A missing file has no text: its encoding does not matter.
    m_encoding = TextEncoding::Utf8;
    RecordFileReader::Statistics stats = m_source(
        table, columnCount(table), handler, [&](TextEncoding encoding) { m_encoding = encoding; },
        &path);
    if (m_report)
        m_report->files.push_back({table, path, stats});
    return stats;
}

QString FuseDatabaseLoader::quoted(std::string_view field) const
{
    return FuseDatabaseLoadReport::quoted(FieldConversion::text(field, m_encoding));
}

QString FuseDatabaseLoader::otherEncodingNote(bool foundAsText, TextEncoding target) const
{
    if (!foundAsText || target == m_encoding)
        return QString();
    return QStringLiteral(" (there is one of that name, but written in %1, this file in %2)")
        .arg(encodingName(target), encodingName(m_encoding));
}

void FuseDatabaseLoader::issue(const QString& table, long long record, const QString& message)
{
    if (m_report)
        m_report->issues.push_back({table, record, message});
}

const CharacteristicTypeTable& FuseDatabaseLoader::types()
{
    if (!m_types) {
        if (m_typeProvider) {
            m_types = &m_typeProvider();
        } else {
            m_ownTypes = loadTypes(m_source, m_report);
            m_types = m_ownTypes.get();
        }
    }
    return *m_types;
}

std::unique_ptr<CharacteristicTypeTable>
FuseDatabaseLoader::loadTypes(const TableSource& source, FuseDatabaseLoadReport* report)
{
    auto table = std::make_unique<CharacteristicTypeTable>();
    const QString name = QStringLiteral("tip_kar");
    TextEncoding encoding = TextEncoding::Utf8;
    auto axis = [&](const std::string_view* f) {
        return AxisDefinition{FieldConversion::text(f[0], encoding),
                              FieldConversion::isLogarithmicFlag(f[1]),
                              FieldConversion::lenientDouble(f[2]),
                              FieldConversion::lenientDouble(f[3])};
    };
    QString path;
    const RecordFileReader::Statistics stats = source(
        name, columnCount(name),
        [&](const std::string_view* f) {
            table->append(CharacteristicType(FieldConversion::text(f[0], encoding), axis(f + 1),
                                             axis(f + 5),
                                             QByteArray(f[0].data(), qsizetype(f[0].size()))));
        },
        [&](TextEncoding decided) {
            encoding = decided;
            table->setEncoding(decided);
        },
        &path);
    if (report)
        report->files.push_back({name, path, stats});
    return table;
}

std::unique_ptr<FuseDatabase> FuseDatabaseLoader::load()
{
    auto db = std::make_unique<FuseDatabase>();
    readGroups(*db);
    db->finishBuilding();
    if (db->topLevelGroupCount() == 0) {
        if (m_report)
            m_report->stoppedWithoutTopLevelGroup = true;
        issue(QStringLiteral("var_grup"), 0,
              QStringLiteral("no group of level 1: fuses, characteristics and points are not "
                             "loaded"));
        return db;
    }
    linkGroups(*db);
    readFuses(*db);
    db->finishBuilding();
    readCharacteristics(*db);
    db->finishBuilding();
    readPoints(*db);
    return db;
}

void FuseDatabaseLoader::readGroups(FuseDatabase& db)
{
    read(QStringLiteral("var_grup"), [&](const std::string_view* f) {
        db.addGroup(FieldConversion::text(f[0], m_encoding), FieldConversion::lenientInt(f[1]),
                    FieldConversion::text(f[2], m_encoding));
    });
    m_groupEncoding = m_encoding;
}

void FuseDatabaseLoader::linkGroups(FuseDatabase& db)
{
    for (int g = 0; g < db.groupCount(); ++g) {
        FuseGroup* group = db.group(g);
        if (group->level() == 1)
            continue;
        FuseGroup* parent = nullptr;
        if (group->level() != std::numeric_limits<int32_t>::min())
            parent = db.findGroup(group->parentName(), group->level() - 1);
        if (!parent) {
            issue(QStringLiteral("var_grup"), 0,
                  QStringLiteral("group %1 (level %2) left unlinked: no parent %3 at level %4")
                      .arg(FuseDatabaseLoadReport::quoted(group->name()))
                      .arg(group->level())
                      .arg(FuseDatabaseLoadReport::quoted(group->parentName()))
                      .arg(qint64(group->level()) - 1));
            continue;
        }
        group->setParent(parent);
        parent->appendChild(group);
    }
}

void FuseDatabaseLoader::readFuses(FuseDatabase& db)
{
    const QString table = QStringLiteral("vars");
    long long record = 0;
    // Fuses of one group usually follow each other: remember the last name.
    std::string lastGroupBytes;
    FuseGroup* lastGroup = nullptr;
    bool haveLast = false;
    read(table, [&](const std::string_view* f) {
        ++record;
        Fuse* fuse = db.addFuse(FieldConversion::text(f[0], m_encoding),
                                FieldConversion::text(f[1], m_encoding));
        if (!haveLast || lastGroupBytes != f[2]) {
            lastGroupBytes.assign(f[2]);
            const std::optional<QString> name = FieldConversion::textIn(f[2], m_groupEncoding);
            lastGroup = name ? db.findGroup(*name) : nullptr;
            haveLast = true;
        }
        if (!lastGroup) {
            const bool asText = db.findGroup(FieldConversion::text(f[2], m_encoding)) != nullptr;
            issue(table, record,
                  QStringLiteral("fuse %1 kept without a group: no group %2%3")
                      .arg(FuseDatabaseLoadReport::quoted(fuse->name()), quoted(f[2]),
                           otherEncodingNote(asText, m_groupEncoding)));
            return;
        }
        fuse->setGroup(lastGroup);
        lastGroup->appendFuse(fuse);
    });
    m_fuseEncoding = m_encoding;
}

void FuseDatabaseLoader::readCharacteristics(FuseDatabase& db)
{
    const QString table = QStringLiteral("karakt");
    long long record = 0;
    // Records of one fuse usually follow each other, and a database has few
    // types: remember the last name of each.
    std::string lastFuseBytes;
    Fuse* lastFuse = nullptr;
    bool haveFuse = false;
    std::string lastTypeBytes;
    const CharacteristicType* lastType = nullptr;
    bool haveType = false;
    read(table, [&](const std::string_view* f) {
        ++record;
        const std::optional<int32_t> id = FieldConversion::strictInt(f[0]);
        if (!id) {
            issue(table, record,
                  QStringLiteral("skipped: id %1 is not an integer").arg(quoted(f[0])));
            return;
        }
        if (!haveFuse || lastFuseBytes != f[1]) {
            lastFuseBytes.assign(f[1]);
            const std::optional<QString> name = FieldConversion::textIn(f[1], m_fuseEncoding);
            lastFuse = name ? db.findFuse(*name) : nullptr;
            haveFuse = true;
        }
        // The type table is asked for on the first record only, as types()
        // may load it.
        if (!haveType || lastTypeBytes != f[2]) {
            lastTypeBytes.assign(f[2]);
            const std::optional<QString> name = FieldConversion::textIn(f[2], types().encoding());
            lastType = name ? types().findType(*name) : nullptr;
            haveType = true;
        }
        if (!lastFuse || !lastType) {
            issue(table, record,
                  QStringLiteral("skipped: characteristic %1: %2").arg(*id).arg(missing(db, f)));
            return;
        }
        lastFuse->appendCharacteristic(*id, lastType, db.pointMemory());
    });
}

QString FuseDatabaseLoader::missing(const FuseDatabase& db, const std::string_view* f)
{
    const std::string_view fuse = f[1], type = f[2];
    const std::optional<QString> fuseName = FieldConversion::textIn(fuse, m_fuseEncoding);
    if (!fuseName || !db.findFuse(*fuseName)) {
        const bool asText = db.findFuse(FieldConversion::text(fuse, m_encoding)) != nullptr;
        return QStringLiteral("no fuse %1%2").arg(quoted(fuse),
                                                  otherEncodingNote(asText, m_fuseEncoding));
    }
    const bool asText = types().findType(FieldConversion::text(type, m_encoding)) != nullptr;
    return QStringLiteral("no characteristic type %1%2")
        .arg(quoted(type), otherEncodingNote(asText, types().encoding()));
}

void FuseDatabaseLoader::readPoints(FuseDatabase& db)
{
    const QString table = QStringLiteral("tocka");
    long long record = 0;
    // Points of one characteristic usually follow each other: they are
    // collected and handed over as one run, so that each curve's storage is
    // taken once and at its final size.
    int32_t runId = 0;
    Characteristic* run = nullptr;
    std::vector<CurvePoint> runPoints;
    auto endRun = [&] {
        if (run)
            run->appendPoints(runPoints);
        runPoints.clear();
    };
    read(table, [&](const std::string_view* f) {
        ++record;
        int32_t id = 0, sequence = 0;
        double x = 0.0, y = 0.0;
        const bool idRead = FieldConversion::strictInt(f[0], &id);
        const bool sequenceRead = FieldConversion::strictInt(f[1], &sequence);
        const bool xRead = FieldConversion::strictDouble(f[2], &x);
        const bool yRead = FieldConversion::strictDouble(f[3], &y);
        if (!idRead || !sequenceRead || !xRead || !yRead) {
            const int bad = !idRead ? 0 : !sequenceRead ? 1 : !xRead ? 2 : 3;
            static const char* const names[] = {"characteristic id", "sequence number", "x", "y"};
            issue(table, record,
                  QStringLiteral("skipped: %1 %2 is not a number")
                      .arg(QLatin1String(names[bad]), quoted(f[bad])));
            return;
        }
        if (!run || runId != id) {
            endRun();
            run = db.findCharacteristic(id);
            runId = id;
        }
        if (!run) {
            issue(table, record, QStringLiteral("skipped: no characteristic %1").arg(id));
            return;
        }
        runPoints.push_back(CurvePoint{sequence, x, y});
    });
    endRun();
}
