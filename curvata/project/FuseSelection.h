#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Fuse;
class FuseDatabase;
class FuseGroup;

// What the Select Fuses window works on: the group tree browsed level by
// level in the left list, the collected fuses in the right list. Every
// entry of either list knows the group or fuse it stands for, so that two
// fuses or groups of the same name are never mistaken for each other.
class FuseSelection
{
public:
    struct Entry
    {
        enum Kind
        {
            Up,    // "..": back to the parent level
            Group, // "+" and a child group's name
            Fuse,  // a fuse of the current group that is not selected
        };
        Kind kind = Up;
        const FuseGroup* group = nullptr;
        const ::Fuse* fuse = nullptr;
        QString text;
    };

    // Starts at the top level with the given fuses collected (each once,
    // in their order).
    FuseSelection(const FuseDatabase& database, const std::vector<const ::Fuse*>& selected);

    // 1 at the top level; one more for each level down.
    int level() const { return m_level; }
    const FuseGroup* currentGroup() const { return m_group; }

    const QList<Entry>& leftEntries() const { return m_left; }
    QStringList leftTexts() const;
    QStringList rightTexts() const;
    const std::vector<const ::Fuse*>& selected() const { return m_selected; }
    // False while the window has never had fuses to work with: none were
    // given and none were collected since.
    bool hasSelectedList() const { return m_hadSelection; }

    // Double-click on a left row: ".." goes up, a group goes down; fuses
    // and rows outside the list do nothing. True when the level changed.
    bool open(int leftRow);
    // ">>": the fuses of the chosen left rows (and, for a group, of the
    // group and every group below it) are appended to the selection; fuse
    // rows leave the left list, group rows stay.
    void moveRight(QList<int> leftRows);
    // "<": the chosen right rows leave the selection; a fuse of the group
    // shown goes back to the end of the left list.
    void moveLeft(QList<int> rightRows);

    // The rating in a fuse name such as "NH00 gG 6,3 A": drop the last two
    // characters (blank and unit), keep what follows the last blank, read
    // a decimal comma as a point. Nothing when that is not a number.
    static std::optional<double> rating(const QString& name);
    // Names with a rating first, by ascending rating; the others after
    // them. Equal ratings and the unrated keep their order.
    static void sortByRating(std::vector<const ::Fuse*>& fuses);

private:
    void showLevel();
    void collect(const ::Fuse* fuse);
    void collectGroup(const FuseGroup* group);
    bool isSelected(const ::Fuse* fuse) const;

    const FuseDatabase& m_database;
    int m_level = 1;
    const FuseGroup* m_group = nullptr;
    QList<Entry> m_left;
    std::vector<const ::Fuse*> m_selected;
    bool m_hadSelection = false;
};
