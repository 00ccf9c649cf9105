#include "BootstrapProfile.h"
#include "PrivateProfile.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Sets or clears an environment variable for one scope.
class EnvOverride
{
public:
    EnvOverride(const char* name, const std::optional<QString>& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~EnvOverride()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(BootstrapProfile, EnvironmentVariableNamesTheFile)
{
    EnvOverride wininy("KAVREL_WININI", QStringLiteral("/opt/sample/WIN.INI"));
    EXPECT_EQ(BootstrapProfile::path(), QStringLiteral("/opt/sample/WIN.INI"));
}

TEST(BootstrapProfile, ConfigurationDirectoryOtherwise)
{
    EnvOverride wininy("KAVREL_WININI", std::nullopt);
    {
        EnvOverride config("XDG_CONFIG_HOME", QStringLiteral("/tmp/cfg"));
        EXPECT_EQ(BootstrapProfile::path(), QStringLiteral("/tmp/cfg/WIN.INI"));
    }
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/WIN.INI");
    {
        EnvOverride config("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(BootstrapProfile::path(), fallback);
    }
    {
        EnvOverride empty("XDG_CONFIG_HOME", QString());
        EXPECT_EQ(BootstrapProfile::path(), fallback);
    }
    {
        EnvOverride relative("XDG_CONFIG_HOME", QStringLiteral("relative/cfg"));
        EXPECT_EQ(BootstrapProfile::path(), fallback);
    }
}

TEST(BootstrapProfile, FileCopiedWithLowerCaseNameIsStillRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EnvOverride wininy("KAVREL_WININI", std::nullopt);
    EnvOverride config("XDG_CONFIG_HOME", dir.path());
    QFile f(dir.path() + QStringLiteral("/win.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[kavrel]\r\nini=C:\\KAVREL\\KAVREL.INI\r\n");
    f.close();
    EXPECT_EQ(PrivateProfile::getString(QStringLiteral("KAVREL"), QStringLiteral("INI"),
                                        QStringLiteral("NAPAKA"), BootstrapProfile::path()),
              QStringLiteral("C:\\KAVREL\\KAVREL.INI"));
}
