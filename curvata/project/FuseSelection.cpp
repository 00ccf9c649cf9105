#include "FuseSelection.h"

#include "FuseModel.h"
#include "UserNumber.h"

#include <algorithm>

FuseSelection::FuseSelection(const FuseDatabase& database,
                             const std::vector<const ::Fuse*>& selected)
    : m_database(database)
{
    for (const ::Fuse* fuse : selected) {
        if (fuse && !isSelected(fuse))
            m_selected.push_back(fuse);
    }
    m_hadSelection = !m_selected.empty();
    showLevel();
}

QStringList FuseSelection::leftTexts() const
{
    QStringList texts;
    for (const Entry& entry : m_left)
        texts.append(entry.text);
    return texts;
}

QStringList FuseSelection::rightTexts() const
{
    QStringList texts;
    for (const ::Fuse* fuse : m_selected)
        texts.append(fuse->name());
    return texts;
}

bool FuseSelection::isSelected(const ::Fuse* fuse) const
{
    return std::find(m_selected.begin(), m_selected.end(), fuse) != m_selected.end();
}

void FuseSelection::showLevel()
{
    m_left.clear();
    if (m_level > 1)
        m_left.append(Entry{Entry::Up, nullptr, nullptr, QStringLiteral("..")});
    const std::vector<const FuseGroup*>& groups =
        m_group ? m_group->children() : m_database.topLevelGroups();
    for (const FuseGroup* group : groups)
        m_left.append(Entry{Entry::Group, group, nullptr, QLatin1Char('+') + group->name()});
    if (!m_group)
        return;
    std::vector<const ::Fuse*> fuses;
    for (const ::Fuse* fuse : m_group->fuses()) {
        if (!isSelected(fuse))
            fuses.push_back(fuse);
    }
    sortByRating(fuses);
    for (const ::Fuse* fuse : fuses)
        m_left.append(Entry{Entry::Fuse, nullptr, fuse, fuse->name()});
}

bool FuseSelection::open(int leftRow)
{
    if (leftRow < 0 || leftRow >= m_left.size())
        return false;
    const Entry entry = m_left.at(leftRow);
    if (entry.kind == Entry::Up) {
        --m_level;
        m_group = m_level == 1 ? nullptr : m_group->parent();
        // A group whose parent link is missing cannot lead further up.
        if (!m_group)
            m_level = 1;
    } else if (entry.kind == Entry::Group) {
        m_group = entry.group;
        ++m_level;
    } else {
        return false;
    }
    showLevel();
    return true;
}

void FuseSelection::collect(const ::Fuse* fuse)
{
    if (fuse && !isSelected(fuse)) {
        m_selected.push_back(fuse);
        m_hadSelection = true;
    }
}

void FuseSelection::collectGroup(const FuseGroup* group)
{
    // The group's own fuses first, then each subgroup, depth first. Child
    // levels always grow, so the walk ends.
    for (const ::Fuse* fuse : group->fuses())
        collect(fuse);
    for (const FuseGroup* child : group->children())
        collectGroup(child);
}

void FuseSelection::moveRight(QList<int> leftRows)
{
    std::sort(leftRows.begin(), leftRows.end());
    leftRows.erase(std::unique(leftRows.begin(), leftRows.end()), leftRows.end());
    QList<int> moved;
    for (int row : leftRows) {
        if (row < 0 || row >= m_left.size())
            continue;
        const Entry& entry = m_left.at(row);
        if (entry.kind == Entry::Group) {
            collectGroup(entry.group);
        } else if (entry.kind == Entry::Fuse) {
            collect(entry.fuse);
            moved.append(row);
        }
    }
    for (auto it = moved.crbegin(); it != moved.crend(); ++it)
        m_left.removeAt(*it);
}

void FuseSelection::moveLeft(QList<int> rightRows)
{
    std::sort(rightRows.begin(), rightRows.end());
    rightRows.erase(std::unique(rightRows.begin(), rightRows.end()), rightRows.end());
    QList<int> removed;
    for (int row : rightRows) {
        if (row < 0 || row >= int(m_selected.size()))
            continue;
        const ::Fuse* fuse = m_selected[std::size_t(row)];
        // Only the group shown takes the fuse back; another group's fuse
        // reappears when the user browses to that group.
        if (fuse->group() == m_group)
            m_left.append(Entry{Entry::Fuse, nullptr, fuse, fuse->name()});
        removed.append(row);
    }
    for (auto it = removed.crbegin(); it != removed.crend(); ++it)
        m_selected.erase(m_selected.begin() + *it);
}

std::optional<double> FuseSelection::rating(const QString& name)
{
    if (name.size() < 2)
        return std::nullopt;
    QString rest = name.left(name.size() - 2);
    rest = rest.mid(rest.lastIndexOf(QLatin1Char(' ')) + 1);
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma >= 0)
        rest[comma] = QLatin1Char('.');
    return UserNumber::parse(rest);
}

void FuseSelection::sortByRating(std::vector<const ::Fuse*>& fuses)
{
    std::vector<std::pair<std::optional<double>, const ::Fuse*>> keyed;
    keyed.reserve(fuses.size());
    for (const ::Fuse* fuse : fuses)
        keyed.emplace_back(rating(fuse->name()), fuse);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first.has_value() != b.first.has_value())
            return a.first.has_value();
        return a.first && *a.first < *b.first;
    });
    for (std::size_t i = 0; i < fuses.size(); ++i)
        fuses[i] = keyed[i].second;
}
