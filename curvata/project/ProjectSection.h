#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class ProfileDocument;

// One section of a project file, read once: its keys in file order and the
// value of each key as the private-profile functions give it (the first of
// keys that differ only in case, one pair of quotes removed). A project's
// table may hold thousands of entries; looking each value up in the file
// again would make opening it quadratic.
class ProjectSection
{
public:
    ProjectSection(const ProfileDocument& document, const QString& name);

    // The text before the first '=' of every entry line; empty keys are
    // left out.
    const QStringList& keys() const { return m_keys; }
    bool isEmpty() const { return m_keys.isEmpty(); }
    // Empty when the key is missing or its line has no '='.
    QString value(const QString& key) const;

private:
    QStringList m_keys;
    QHash<QString, QString> m_values; // case-folded key -> first value
};
