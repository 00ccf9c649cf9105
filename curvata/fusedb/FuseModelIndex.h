#pragma once

// Look-up indexes of a FuseDatabase. They hold, for every key, the first
// object in the order the documented linear scan would visit, so answers
// are those of the scan while loading stays linear in the file sizes.

#include "FuseModel.h"

#include <QHash>
#include <algorithm>
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
