#include "BootstrapProfile.h"

#include <QDir>

QString BootstrapProfile::path()
{
    const QByteArray overridePath = qgetenv("KAVREL_WININI");
    if (!overridePath.isEmpty())
        return QString::fromLocal8Bit(overridePath);
    QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/WIN.INI");
}
