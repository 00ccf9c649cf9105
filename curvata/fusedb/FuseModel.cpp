#include "FuseModel.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

// Look-up indexes of a FuseDatabase. They hold, for every key, the first
// object in the order the documented linear scan would visit, so answers
// are those of the scan while loading stays linear in the file sizes.
namespace FuseModelIndex {
using NameLevel = std::pair<QString, int32_t>;

// Enters `value` unless the key is there already: the first one wins.
template <typename Key, typename Value>
void keepFirst(QHash<Key, Value>& hash, const Key& key, Value value)
{
    if (hash.constFind(key) == hash.constEnd())
        hash.insert(key, value);
}
} // namespace FuseModelIndex

struct FuseDatabase::Index
{
    QHash<QString, const Fuse*> fuseByName;
    QHash<QString, const FuseGroup*> groupByName;
    QHash<FuseModelIndex::NameLevel, const FuseGroup*> groupByNameAndLevel;
    QHash<int32_t, const Characteristic*> characteristicById;

    // `groups` in level order.
    void indexGroups(const std::vector<const FuseGroup*>& groups)
    {
        groupByName.clear();
        groupByNameAndLevel.clear();
        for (const FuseGroup* group : groups) {
            FuseModelIndex::keepFirst(groupByName, group->name(), group);
            FuseModelIndex::keepFirst(groupByNameAndLevel,
                                      FuseModelIndex::NameLevel(group->name(), group->level()),
                                      group);
        }
    }
    void indexFuses(const std::vector<const Fuse*>& fuses)
    {
        fuseByName.clear();
        for (const Fuse* fuse : fuses)
            FuseModelIndex::keepFirst(fuseByName, fuse->name(), fuse);
    }
    // When the ids are small numbers (as databases number them: 1, 2, 3
    // ...) a plain table is far quicker than hashing for the point look-ups.
    std::vector<const Characteristic*> characteristicByDenseId;

    // Fuses in file order, each fuse's characteristics in order.
    void indexCharacteristics(const std::vector<const Fuse*>& fuses)
    {
        characteristicById.clear();
        characteristicByDenseId.clear();
        size_t count = 0;
        int64_t largest = -1;
        bool negative = false;
        for (const Fuse* fuse : fuses) {
            for (int i = 0; i < fuse->characteristicCount(); ++i) {
                const int32_t id = fuse->characteristic(i)->id();
                negative = negative || id < 0;
                largest = std::max<int64_t>(largest, id);
                ++count;
            }
        }
        const bool dense = !negative && largest < int64_t(4 * count + 1024);
        if (dense)
            characteristicByDenseId.assign(size_t(largest + 1), nullptr);
        for (const Fuse* fuse : fuses) {
            for (int i = 0; i < fuse->characteristicCount(); ++i) {
                const Characteristic* characteristic = fuse->characteristic(i);
                if (dense) {
                    const Characteristic*& slot =
                        characteristicByDenseId[size_t(characteristic->id())];
                    if (!slot)
                        slot = characteristic;
                } else {
                    FuseModelIndex::keepFirst(characteristicById, characteristic->id(),
                                              characteristic);
                }
            }
        }
    }

    const Characteristic* characteristic(int32_t id) const
    {
        if (!characteristicByDenseId.empty() || characteristicById.isEmpty()) {
            if (id < 0 || size_t(id) >= characteristicByDenseId.size())
                return nullptr;
            return characteristicByDenseId[size_t(id)];
        }
        return characteristicById.value(id, nullptr);
    }
};

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

bool AxisDefinition::givesValues() const
{
    if (!std::isfinite(start) || !std::isfinite(end))
        return false;
    return !logarithmic || (start > 0.0 && end > 0.0);
}

bool AxisDefinition::canMap() const
{
    return givesValues() && start != end;
}

double AxisDefinition::valueAt(double position) const
{
    if (!givesValues())
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

Characteristic* Fuse::characteristic(int index)
{
    return const_cast<Characteristic*>(std::as_const(*this).characteristic(index));
}

Characteristic* Fuse::appendCharacteristic(int32_t id, const CharacteristicType* type,
                                           std::pmr::memory_resource* pointMemory)
{
    m_characteristics.push_back(std::make_unique<Characteristic>(id, type, pointMemory));
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
    // The file's bytes, not the decoded text: in Windows-1250, for one, "Š"
    // (0x8A) comes before "ß" (0xDF) although its character number is larger.
    std::map<QByteArray, QString> names; // QByteArray compares unsigned bytes
    for (const Fuse* fuse : fuses) {
        if (!fuse)
            continue;
        for (int i = 0; i < fuse->characteristicCount(); ++i) {
            const CharacteristicType* type = fuse->characteristic(i)->type();
            if (type)
                names.emplace(type->nameBytes(), type->name());
        }
    }
    QStringList list;
    list.reserve(qsizetype(names.size()));
    for (const auto& entry : names)
        list.append(entry.second);
    return list;
}

FuseGroup* FuseDatabase::addGroup(QString name, int32_t level, QString parentName)
{
    m_groupStorage.push_back(
        std::make_unique<FuseGroup>(std::move(name), level, std::move(parentName)));
    FuseGroup* group = m_groupStorage.back().get();
    m_groups.push_back(group);
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
    // Stable: a group goes before the first group of a greater level.
    std::stable_sort(m_groups.begin(), m_groups.end(), [](const FuseGroup* a, const FuseGroup* b) {
        return a->level() < b->level();
    });
    m_index->indexGroups(m_groups);
    m_index->indexFuses(m_fuses);
    m_index->indexCharacteristics(m_fuses);
}

// The database owns every object it hands out, so while it is itself
// writable its objects are too.

FuseGroup* FuseDatabase::group(int index)
{
    return const_cast<FuseGroup*>(std::as_const(*this).group(index));
}

Fuse* FuseDatabase::fuse(int index)
{
    return const_cast<Fuse*>(std::as_const(*this).fuse(index));
}

Fuse* FuseDatabase::findFuse(const QString& name)
{
    return const_cast<Fuse*>(std::as_const(*this).findFuse(name));
}

FuseGroup* FuseDatabase::findGroup(const QString& name)
{
    return const_cast<FuseGroup*>(std::as_const(*this).findGroup(name));
}

FuseGroup* FuseDatabase::findGroup(const QString& name, int32_t level)
{
    return const_cast<FuseGroup*>(std::as_const(*this).findGroup(name, level));
}

Characteristic* FuseDatabase::findCharacteristic(int32_t id)
{
    return const_cast<Characteristic*>(std::as_const(*this).findCharacteristic(id));
}
