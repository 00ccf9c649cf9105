#include "FuseDatabaseLocation.h"

#include "WinPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString& configuredDirectory()
{
    static QString directory;
    return directory;
}

// `dir` + "\" + `name` when that is a directory, else `dir` unchanged.
QString enter(const QString& dir, const QString& name)
{
    const QString candidate = WinPath::toNative(dir + QLatin1Char('\\') + name);
    if (QFileInfo(candidate).isDir())
        return candidate;
    return dir;
}

} // namespace

QString FuseDatabaseLocation::resolve(const QString& workingDirectory)
{
    QString dir = QDir::cleanPath(QDir(workingDirectory).absolutePath());
    dir = enter(dir, QStringLiteral("fuseDbDir"));
    return enter(dir, QStringLiteral("fuse"));
}

QString FuseDatabaseLocation::directory()
{
    if (configuredDirectory().isEmpty())
        configuredDirectory() = resolve(QDir::currentPath());
    return configuredDirectory();
}

void FuseDatabaseLocation::setDirectory(const QString& directory)
{
    configuredDirectory() = directory;
}
