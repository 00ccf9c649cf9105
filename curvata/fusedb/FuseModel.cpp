#include "FuseModel.h"

#include "FuseDatabaseLoader.h"
#include "FuseDatabaseLocation.h"
#include "FuseModelIndex.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <typename T> const T* at(const std::vector<T*>& list, int index)
{
    if (index < 0 || size_t(index) >= list.size())
        return nullptr;
    return list[size_t(index)];
}

} // namespace

// --- AxisDefinition ---------------------------------------------------------

bool AxisDefinition::canMap() const
{
    if (!std::isfinite(start) || !std::isfinite(end) || start == end)
        return false;
    return !logarithmic || (start > 0.0 && end > 0.0);
}

double AxisDefinition::valueAt(double position) const
{
    if (!canMap())
        return kNaN;
    if (!logarithmic)
        return start + (end - start) * position;
    const double low = std::log10(start);
    return std::pow(10.0, low + (std::log10(end) - low) * position);
}

double AxisDefinition::positionOf(double value) const
{
    if (!canMap())
        return kNaN;
    if (!logarithmic)
        return (value - start) / (end - start);
    if (!(value > 0.0))
        return kNaN;
    const double low = std::log10(start);
    return (std::log10(value) - low) / (std::log10(end) - low);
}

// --- Characteristic, Fuse, FuseGroup ----------------------------------------

const CurvePoint* Characteristic::point(int index) const
{
    if (index < 0 || size_t(index) >= m_points.size())
        return nullptr;
    return &m_points[size_t(index)];
}

const Characteristic* Fuse::characteristic(int index) const
{
    if (index < 0 || size_t(index) >= m_characteristics.size())
        return nullptr;
    return m_characteristics[size_t(index)].get();
}

const Characteristic* Fuse::findCharacteristic(const QString& typeName) const
{
    for (const auto& characteristic : m_characteristics) {
        if (characteristic->type() && characteristic->type()->name() == typeName)
            return characteristic.get();
    }
    return nullptr;
}

Characteristic* Fuse::appendCharacteristic(int32_t id, const CharacteristicType* type)
{
    m_characteristics.push_back(std::make_unique<Characteristic>(id, type));
    return m_characteristics.back().get();
}

const FuseGroup* FuseGroup::child(int index) const
{
    return at(m_children, index);
}

const Fuse* FuseGroup::fuse(int index) const
{
    return at(m_fuses, index);
}

// --- CharacteristicTypeTable -------------------------------------------------

struct CharacteristicTypeTable::Index
{
    QHash<QString, const CharacteristicType*> byName; // first of each name
};

CharacteristicTypeTable::CharacteristicTypeTable() : m_index(std::make_unique<Index>()) {}

CharacteristicTypeTable::~CharacteristicTypeTable() = default;

const CharacteristicTypeTable& CharacteristicTypeTable::instance()
{
    static const std::unique_ptr<CharacteristicTypeTable> table = FuseDatabaseLoader::loadTypes(
        FuseDatabaseLoader::directorySource(FuseDatabaseLocation::directory()));
    return *table;
}

const CharacteristicType* CharacteristicTypeTable::type(int index) const
{
    if (index < 0 || size_t(index) >= m_types.size())
        return nullptr;
    return m_types[size_t(index)].get();
}

const CharacteristicType* CharacteristicTypeTable::findType(const QString& name) const
{
    return m_index->byName.value(name, nullptr);
}

const CharacteristicType* CharacteristicTypeTable::append(CharacteristicType type)
{
    m_types.push_back(std::make_unique<CharacteristicType>(std::move(type)));
    const CharacteristicType* added = m_types.back().get();
    if (!m_index->byName.contains(added->name()))
        m_index->byName.insert(added->name(), added);
    return added;
}

// --- FuseDatabase ----------------------------------------------------------------

FuseDatabase::FuseDatabase() : m_index(std::make_unique<Index>()) {}

FuseDatabase::~FuseDatabase() = default;

const FuseDatabase& FuseDatabase::instance()
{
    static const std::unique_ptr<FuseDatabase> database = [] {
        FuseDatabaseLoader loader(
            FuseDatabaseLoader::directorySource(FuseDatabaseLocation::directory()));
        loader.useTypeTable(
            []() -> const CharacteristicTypeTable& { return CharacteristicTypeTable::instance(); });
        return loader.load();
    }();
    return *database;
}

const FuseGroup* FuseDatabase::topLevelGroup(int index) const
{
    return at(m_topLevel, index);
}

const FuseGroup* FuseDatabase::group(int index) const
{
    return at(m_groups, index);
}

const Fuse* FuseDatabase::fuse(int index) const
{
    return at(m_fuses, index);
}

const Fuse* FuseDatabase::findFuse(const QString& name) const
{
    return m_index->fuseByName.value(name, nullptr);
}

const Fuse* FuseDatabase::findFuse(const QString& name, const FuseGroup* group) const
{
    if (!group)
        return findFuse(name);
    for (const Fuse* fuse : group->fuses()) {
        if (fuse->name() == name)
            return fuse;
    }
    return nullptr;
}

const FuseGroup* FuseDatabase::findGroup(const QString& name, int32_t level,
                                         const FuseGroup* parent) const
{
    const std::vector<const FuseGroup*>& candidates =
        (level > 1 && parent) ? parent->children() : m_topLevel;
    for (const FuseGroup* group : candidates) {
        if (group->level() == level && group->name() == name)
            return group;
    }
    return nullptr;
}

const FuseGroup* FuseDatabase::findGroup(const QString& name) const
{
    return m_index->groupByName.value(name, nullptr);
}

const FuseGroup* FuseDatabase::findGroup(const QString& name, int32_t level) const
{
    return m_index->groupByNameAndLevel.value(FuseModelIndex::NameLevel(name, level), nullptr);
}

const Characteristic* FuseDatabase::findCharacteristic(int32_t id) const
{
    return m_index->characteristic(id);
}

QStringList FuseDatabase::characteristicTypeNames(const std::vector<const Fuse*>& fuses)
{
    std::set<QString> names; // QString's order compares code units exactly
    for (const Fuse* fuse : fuses) {
        if (!fuse)
            continue;
        for (int i = 0; i < fuse->characteristicCount(); ++i) {
            const CharacteristicType* type = fuse->characteristic(i)->type();
            if (type)
                names.insert(type->name());
        }
    }
    return QStringList(names.begin(), names.end());
}

FuseGroup* FuseDatabase::addGroup(QString name, int32_t level, QString parentName)
{
    m_groupStorage.push_back(
        std::make_unique<FuseGroup>(std::move(name), level, std::move(parentName)));
    FuseGroup* group = m_groupStorage.back().get();
    const auto before = std::upper_bound(
        m_groups.begin(), m_groups.end(), level,
        [](int32_t value, const FuseGroup* other) { return value < other->level(); });
    m_groups.insert(before, group);
    if (level == 1)
        m_topLevel.push_back(group);
    return group;
}

Fuse* FuseDatabase::addFuse(QString name, QString catalogueNumber)
{
    m_fuseStorage.push_back(std::make_unique<Fuse>(std::move(name), std::move(catalogueNumber)));
    m_fuses.push_back(m_fuseStorage.back().get());
    return m_fuseStorage.back().get();
}

void FuseDatabase::finishBuilding()
{
    m_index->indexGroups(m_groups);
    m_index->indexFuses(m_fuses);
    m_index->indexCharacteristics(m_fuses);
}
