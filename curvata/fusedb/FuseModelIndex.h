#pragma once

// Look-up indexes of a FuseDatabase. They hold, for every key, the first
// object in the order the documented linear scan would visit, so answers
// are those of the scan while loading stays linear in the file sizes.

#include "FuseModel.h"

#include <QHash>
#include <utility>

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
    // Fuses in file order, each fuse's characteristics in order.
    void indexCharacteristics(const std::vector<const Fuse*>& fuses)
    {
        characteristicById.clear();
        for (const Fuse* fuse : fuses) {
            for (int i = 0; i < fuse->characteristicCount(); ++i) {
                const Characteristic* characteristic = fuse->characteristic(i);
                FuseModelIndex::keepFirst(characteristicById, characteristic->id(), characteristic);
            }
        }
    }
};
