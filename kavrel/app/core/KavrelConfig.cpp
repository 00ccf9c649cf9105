#include "KavrelConfig.h"

#include "BootstrapProfile.h"
#include "PrivateProfile.h"

namespace {
const QString kavrelSection = QStringLiteral("KAVREL");
}

QString KavrelConfig::path()
{
    return PrivateProfile::getString(kavrelSection, QStringLiteral("INI"), missing(),
                                     BootstrapProfile::path());
}

QString KavrelConfig::readString(const QString& section, const QString& key,
                                 const QString& defaultValue)
{
    const QString file = path();
    if (file == missing())
        return defaultValue;
    return PrivateProfile::getString(section, key, defaultValue, file);
}

bool KavrelConfig::isWholeNumber(const QString& text, int* value)
{
    bool ok = false;
    const int n = text.trimmed().isEmpty() || text.trimmed() != text ? 0 : text.toInt(&ok, 10);
    if (ok && value)
        *value = n;
    return ok;
}

int KavrelConfig::readInt(const QString& section, const QString& key, int defaultValue)
{
    int value = defaultValue;
    if (!isWholeNumber(readString(section, key, QString()), &value))
        return defaultValue;
    return value;
}

bool KavrelConfig::readBool(const QString& section, const QString& key, bool defaultValue)
{
    return readString(section, key, defaultValue ? QStringLiteral("T") : QStringLiteral("F")) ==
           QLatin1String("T");
}

bool KavrelConfig::writeString(const QString& section, const QString& key, const QString& value,
                               QString* error)
{
    const QString file = path();
    if (file == missing()) {
        if (error)
            *error = QStringLiteral("The configuration file is not known: key INI of section "
                                    "KAVREL is missing from %1.")
                         .arg(BootstrapProfile::path());
        return false;
    }
    return PrivateProfile::writeString(section, key, value, file, error);
}

bool KavrelConfig::writeInt(const QString& section, const QString& key, int value, QString* error)
{
    return writeString(section, key, QString::number(value), error);
}

bool KavrelConfig::writeBool(const QString& section, const QString& key, bool value,
                             QString* error)
{
    return writeString(section, key, value ? QStringLiteral("T") : QStringLiteral("F"), error);
}

bool KavrelConfig::StartValues::valid() const
{
    return configPath != missing() && language != missing() && dataDir != missing();
}

KavrelConfig::StartValues KavrelConfig::readStart()
{
    StartValues v;
    v.configPath = path();
    // A missing bootstrap entry reads as a file without keys: every value
    // takes its default.
    auto read = [&v](const QString& section, const QString& key, const QString& def) {
        if (v.configPath == missing())
            return def;
        return PrivateProfile::getString(section, key, def, v.configPath);
    };
    v.language = read(kavrelSection, QStringLiteral("JEZIK"), missing());
    v.dataDir = read(kavrelSection, QStringLiteral("DIR"), missing());
    v.wwwDir = read(QStringLiteral("WWW"), QStringLiteral("DIR"), missing());
    v.priceDir = read(QStringLiteral("CENIK"), QStringLiteral("DIR"), QString());
    v.priceFile = read(QStringLiteral("CENIK"), QStringLiteral("FILE"), missing());
    v.databaseDir = read(kavrelSection, QStringLiteral("DIRDB"), missing());
    return v;
}
