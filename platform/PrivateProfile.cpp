#include "PrivateProfile.h"

// Placeholder until the full implementation lands: reads nothing.
QString PrivateProfile::getString(const QString&, const QString&, const QString& defaultValue,
                                  const QString&)
{
    return defaultValue;
}

int PrivateProfile::getInt(const QString&, const QString&, int defaultValue, const QString&)
{
    return defaultValue;
}

QStringList PrivateProfile::getSection(const QString&, const QString&)
{
    return {};
}

QStringList PrivateProfile::getSectionNames(const QString&)
{
    return {};
}

bool PrivateProfile::write(const QString&, const std::optional<QString>&,
                           const std::optional<QString>&, const QString&, QString* error)
{
    if (error)
        *error = QStringLiteral("not implemented");
    return false;
}
