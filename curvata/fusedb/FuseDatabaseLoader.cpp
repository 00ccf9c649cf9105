#include "FuseDatabaseLoader.h"

#include "FieldConversion.h"
#include "FuseModelIndex.h"
#include "WinPath.h"

#include <algorithm>
#include <array>

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

QString quoted(std::string_view field)
{
    return FuseDatabaseLoadReport::quoted(FieldConversion::text(field));
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
                       const RecordFileReader::RecordHandler& handler, QString* path) {
        const QString native =
            WinPath::toNative(directory + QLatin1Char('\\') + table + QStringLiteral(".rec"));
        if (path)
            *path = native;
        return RecordFileReader::readFile(native, columns, handler);
    };
}

FuseDatabaseLoader::TableSource
FuseDatabaseLoader::memorySource(std::map<QString, std::string> files)
{
    auto shared = std::make_shared<const std::map<QString, std::string>>(std::move(files));
    return [shared](const QString& table, int columns,
                    const RecordFileReader::RecordHandler& handler, QString* path) {
        if (path)
            *path = table + QStringLiteral(".rec");
        const auto it = shared->find(table);
        if (it == shared->end())
            return RecordFileReader::Statistics{};
        return RecordFileReader::readBytes(it->second, columns, handler);
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
    RecordFileReader::Statistics stats = m_source(table, columnCount(table), handler, &path);
    if (m_report)
        m_report->files.push_back({table, path, stats});
    return stats;
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
    auto axis = [](const std::string_view* f) {
        return AxisDefinition{FieldConversion::text(f[0]), FieldConversion::isLogarithmicFlag(f[1]),
                              FieldConversion::lenientDouble(f[2]),
                              FieldConversion::lenientDouble(f[3])};
    };
    QString path;
    const RecordFileReader::Statistics stats = source(
        name, columnCount(name),
        [&](const std::string_view* f) {
            table->append(
                CharacteristicType(FieldConversion::text(f[0]), axis(f + 1), axis(f + 5)));
        },
        &path);
    if (report)
        report->files.push_back({name, path, stats});
    return table;
}

std::unique_ptr<FuseDatabase> FuseDatabaseLoader::load()
{
    auto db = std::make_unique<FuseDatabase>();
    m_levelOrder.clear();
    readGroups(*db);
    if (db->m_topLevel.empty()) {
        if (m_report)
            m_report->stoppedWithoutTopLevelGroup = true;
        issue(QStringLiteral("var_grup"), 0,
              QStringLiteral("no group of level 1: fuses, characteristics and points are not "
                             "loaded"));
        db->m_index->indexGroups(db->m_groups);
        return db;
    }
    linkGroups(*db);
    readFuses(*db);
    readCharacteristics(*db);
    readPoints(*db);
    for (const auto& fuse : db->m_fuseStorage) {
        for (int i = 0; i < fuse->characteristicCount(); ++i)
            const_cast<Characteristic*>(fuse->characteristic(i))->squeeze();
    }
    return db;
}

void FuseDatabaseLoader::readGroups(FuseDatabase& db)
{
    read(QStringLiteral("var_grup"), [&](const std::string_view* f) {
        db.m_groupStorage.push_back(std::make_unique<FuseGroup>(FieldConversion::text(f[0]),
                                                                FieldConversion::lenientInt(f[1]),
                                                                FieldConversion::text(f[2])));
    });
    m_levelOrder.reserve(db.m_groupStorage.size());
    for (const auto& group : db.m_groupStorage)
        m_levelOrder.push_back(group.get());
    // Stable: a group goes before the first group of a greater level.
    std::stable_sort(
        m_levelOrder.begin(), m_levelOrder.end(),
        [](const FuseGroup* a, const FuseGroup* b) { return a->level() < b->level(); });
    db.m_groups.assign(m_levelOrder.begin(), m_levelOrder.end());
    for (const auto& group : db.m_groupStorage) {
        if (group->level() == 1)
            db.m_topLevel.push_back(group.get());
    }
    db.m_index->indexGroups(db.m_groups);
}

void FuseDatabaseLoader::linkGroups(FuseDatabase& db)
{
    const auto& byNameAndLevel = db.m_index->groupByNameAndLevel;
    for (FuseGroup* group : m_levelOrder) {
        if (group->level() == 1)
            continue;
        const FuseGroup* parent = nullptr;
        if (group->level() != std::numeric_limits<int32_t>::min()) {
            parent = byNameAndLevel.value(
                FuseModelIndex::NameLevel(group->parentName(), group->level() - 1), nullptr);
        }
        if (!parent) {
            issue(QStringLiteral("var_grup"), 0,
                  QStringLiteral("group %1 (level %2) left unlinked: no parent %3 at level %4")
                      .arg(FuseDatabaseLoadReport::quoted(group->name()))
                      .arg(group->level())
                      .arg(FuseDatabaseLoadReport::quoted(group->parentName()))
                      .arg(qint64(group->level()) - 1));
            continue;
        }
        // The parent is one of ours; the index only hands out const views.
        FuseGroup* writableParent = const_cast<FuseGroup*>(parent);
        group->setParent(parent);
        writableParent->appendChild(group);
    }
}

void FuseDatabaseLoader::readFuses(FuseDatabase& db)
{
    const QString table = QStringLiteral("vars");
    long long record = 0;
    read(table, [&](const std::string_view* f) {
        ++record;
        Fuse* fuse = db.addFuse(FieldConversion::text(f[0]), FieldConversion::text(f[1]));
        FuseModelIndex::keepFirst(db.m_index->fuseByName, fuse->name(),
                                  static_cast<const Fuse*>(fuse));
        const QString groupName = FieldConversion::text(f[2]);
        const FuseGroup* group = db.m_index->groupByName.value(groupName, nullptr);
        if (!group) {
            issue(table, record,
                  QStringLiteral("fuse %1 kept without a group: no group %2")
                      .arg(FuseDatabaseLoadReport::quoted(fuse->name()),
                           FuseDatabaseLoadReport::quoted(groupName)));
            return;
        }
        fuse->setGroup(group);
        const_cast<FuseGroup*>(group)->appendFuse(fuse);
    });
}

void FuseDatabaseLoader::readCharacteristics(FuseDatabase& db)
{
    const QString table = QStringLiteral("karakt");
    long long record = 0;
    // Records of one fuse usually follow each other: remember the last name.
    std::string lastFuseBytes;
    Fuse* lastFuse = nullptr;
    bool haveLast = false;
    read(table, [&](const std::string_view* f) {
        ++record;
        const std::optional<int32_t> id = FieldConversion::strictInt(f[0]);
        if (!id) {
            issue(table, record,
                  QStringLiteral("skipped: id %1 is not an integer").arg(quoted(f[0])));
            return;
        }
        if (!haveLast || lastFuseBytes != f[1]) {
            lastFuseBytes.assign(f[1]);
            lastFuse = const_cast<Fuse*>(
                db.m_index->fuseByName.value(FieldConversion::text(f[1]), nullptr));
            haveLast = true;
        }
        const CharacteristicType* type = types().findType(FieldConversion::text(f[2]));
        if (!lastFuse || !type) {
            issue(table, record,
                  QStringLiteral("skipped: characteristic %1: %2")
                      .arg(*id)
                      .arg(!lastFuse
                               ? QStringLiteral("no fuse %1").arg(quoted(f[1]))
                               : QStringLiteral("no characteristic type %1").arg(quoted(f[2]))));
            return;
        }
        lastFuse->appendCharacteristic(*id, type);
    });
    db.m_index->indexCharacteristics(db.m_fuses);
}

void FuseDatabaseLoader::readPoints(FuseDatabase& db)
{
    const QString table = QStringLiteral("tocka");
    const FuseDatabase::Index& index = *db.m_index;
    long long record = 0;
    // Points of one characteristic usually follow each other.
    int32_t lastId = 0;
    Characteristic* last = nullptr;
    read(table, [&](const std::string_view* f) {
        ++record;
        const std::optional<int32_t> id = FieldConversion::strictInt(f[0]);
        const std::optional<int32_t> sequence = FieldConversion::strictInt(f[1]);
        const std::optional<double> x = FieldConversion::strictDouble(f[2]);
        const std::optional<double> y = FieldConversion::strictDouble(f[3]);
        if (!id || !sequence || !x || !y) {
            const int bad = !id ? 0 : !sequence ? 1 : !x ? 2 : 3;
            static const char* const names[] = {"characteristic id", "sequence number", "x", "y"};
            issue(table, record,
                  QStringLiteral("skipped: %1 %2 is not a number")
                      .arg(QLatin1String(names[bad]), quoted(f[bad])));
            return;
        }
        if (!last || lastId != *id) {
            // Curves of one database tend to have alike point counts: room
            // for as many as the previous curve saves most regrowing.
            const int previousCount = last ? last->pointCount() : 0;
            last = const_cast<Characteristic*>(index.characteristic(*id));
            lastId = *id;
            if (last && last->pointCount() == 0)
                last->reservePoints(previousCount);
        }
        if (!last) {
            issue(table, record, QStringLiteral("skipped: no characteristic %1").arg(*id));
            return;
        }
        last->appendPoint(CurvePoint{*sequence, *x, *y});
    });
}
