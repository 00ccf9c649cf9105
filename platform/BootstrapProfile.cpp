#include "BootstrapProfile.h"

#include <QDir>

QString BootstrapProfile::path()
{
    const QString overridePath = qEnvironmentVariable("KAVREL_WININI");
    if (!overridePath.isEmpty())
        return overridePath;
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG
    // rules say; the file then does not depend on the working directory.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/WIN.INI");
}
