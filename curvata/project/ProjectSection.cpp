#include "ProjectSection.h"

#include "ProfileDocument.h"

ProjectSection::ProjectSection(const ProfileDocument& document, const QString& name)
{
    const QStringList lines = document.sectionLines(name);
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? line : line.left(eq);
        if (key.isEmpty())
            continue;
        m_keys.append(key);
        // A line without '=' names a key that has no value to look up.
        if (eq < 0)
            continue;
        const QString folded = key.toCaseFolded();
        if (!m_values.contains(folded))
            m_values.insert(folded, ProfileDocument::unquote(line.mid(eq + 1)));
    }
}

QString ProjectSection::value(const QString& key) const
{
    return m_values.value(key.toCaseFolded());
}
