#include "WinPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Windows ignores trailing blanks and dots of a path component.
QString stripTrailing(const QString& component)
{
    qsizetype end = component.size();
    while (end > 0 &&
           (component[end - 1] == QLatin1Char(' ') || component[end - 1] == QLatin1Char('.')))
        --end;
    if (end == 0)
        return component; // "." and ".." keep their meaning
    return component.left(end);
}

// The entry of `dir` called `name`: exactly, else without regard to case and
// to trailing blanks and dots. Empty when there is none.
QString findEntry(const QString& dir, const QString& name)
{
    if (QFileInfo::exists(dir + name))
        return name;
    const QStringList entries =
        QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (stripTrailing(entry).compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

} // namespace

QString WinPath::toNative(const QString& winPath)
{
    QString path = winPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return path;

    const bool trailingSlash = path.endsWith(QLatin1Char('/'));
    QString current = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool resolving = true;
    for (const QString& raw : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QString part = stripTrailing(raw);
        if (resolving && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString entry = findEntry(current, part);
            if (entry.isEmpty())
                resolving = false; // the rest cannot exist; keep it as written
            else
                part = entry;
        }
        current += part + QLatin1Char('/');
    }
    if (!trailingSlash && current.size() > 1)
        current.chop(1);
    return current;
}

bool WinPath::exists(const QString& winPath)
{
    return QFileInfo::exists(toNative(winPath));
}
