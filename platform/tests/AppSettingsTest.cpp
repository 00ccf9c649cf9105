#include "AppSettings.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
const QString kKey = QStringLiteral("Local AppWizard-Generated Applications");
} // namespace

TEST(AppSettings, StoreLivesUnderTheConfigurationDirectory)
{
    AppSettings s(kKey, QStringLiteral("curvata-location"));
    s.writeInt(QStringLiteral("Settings"), QStringLiteral("PreviewPages"), 1);
    EXPECT_TRUE(s.lastWriteSucceeded());
    // The user's configuration directory (under the temporary HOME here).
    const QString expected =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
        kKey + QStringLiteral("/curvata-location.ini");
    EXPECT_TRUE(expected.startsWith(QDir::homePath()));
    EXPECT_EQ(QFileInfo(s.fileName()).absoluteFilePath(), QFileInfo(expected).absoluteFilePath());
    // Written at once, not only when the object goes away.
    EXPECT_TRUE(QFileInfo::exists(expected));
}

TEST(AppSettings, ValuesPersistAcrossInstances)
{
    const QString app = QStringLiteral("curvata-values");
    {
        AppSettings s(kKey, app);
        s.writeInt(QStringLiteral("Settings"), QStringLiteral("Count"), -42);
        s.writeString(QStringLiteral("Settings"), QStringLiteral("Name"),
                      QString::fromUtf8("Varovalke, \"NH\" = 1; čćž"));
    }
    AppSettings s(kKey, app);
    EXPECT_EQ(s.getInt(QStringLiteral("Settings"), QStringLiteral("Count"), 0), -42);
    EXPECT_EQ(s.getString(QStringLiteral("Settings"), QStringLiteral("Name")),
              QString::fromUtf8("Varovalke, \"NH\" = 1; čćž"));
    EXPECT_EQ(s.getInt(QStringLiteral("Settings"), QStringLiteral("Missing"), 7), 7);
    // A text entry is no number: the default.
    EXPECT_EQ(s.getInt(QStringLiteral("Settings"), QStringLiteral("Name"), 7), 7);
    EXPECT_EQ(
        s.getString(QStringLiteral("Settings"), QStringLiteral("Missing"), QStringLiteral("dflt")),
        QStringLiteral("dflt"));
}

TEST(AppSettings, BinaryValuesKeepEveryByte)
{
    const QString app = QStringLiteral("curvata-binary");
    QByteArray placement(44, '\0'); // a window-placement record
    for (int i = 0; i < placement.size(); ++i)
        placement[i] = static_cast<char>(i * 37 + 1);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    {
        AppSettings s(kKey, app);
        s.writeBinary(QStringLiteral("CRuzozuvovDlg"), QStringLiteral("WindowPlacement"),
                      placement);
        s.writeBinary(QStringLiteral("Test"), QStringLiteral("AllBytes"), all);
    }
    AppSettings s(kKey, app);
    EXPECT_EQ(s.getBinary(QStringLiteral("CRuzozuvovDlg"), QStringLiteral("WindowPlacement")),
              placement);
    EXPECT_EQ(s.getBinary(QStringLiteral("Test"), QStringLiteral("AllBytes")), all);
    EXPECT_TRUE(
        s.getBinary(QStringLiteral("CConstLinesDlg"), QStringLiteral("WindowPlacement")).isEmpty());
}

TEST(AppSettings, RecentFileListOfFour)
{
    const QString app = QStringLiteral("curvata-recent");
    const QStringList paths = {
        QStringLiteral("C:\\p\\a.cvp"), QStringLiteral("C:\\p\\b.cvp"),
        QStringLiteral("C:\\p\\c.cvp"), QStringLiteral("C:\\p\\d.cvp"),
        QStringLiteral("C:\\p\\e.cvp"),
    };
    {
        AppSettings s(kKey, app);
        s.setRecentFileListSize(4);
        EXPECT_TRUE(s.recentFiles().isEmpty());
        for (const QString& p : paths)
            s.addRecentFile(p);
        // Newest first; the oldest fell off.
        EXPECT_EQ(s.recentFiles(), QStringList({paths[4], paths[3], paths[2], paths[1]}));
        // Opening one again moves it up rather than listing it twice.
        s.addRecentFile(paths[2]);
        EXPECT_EQ(s.recentFiles(), QStringList({paths[2], paths[4], paths[3], paths[1]}));
    }
    AppSettings s(kKey, app);
    s.setRecentFileListSize(4);
    EXPECT_EQ(s.recentFiles(), QStringList({paths[2], paths[4], paths[3], paths[1]}));
    s.removeRecentFile(1);
    EXPECT_EQ(s.recentFiles(), QStringList({paths[2], paths[3], paths[1]}));
    s.removeRecentFile(7); // out of range: nothing happens
    s.addRecentFile(QString());
    EXPECT_EQ(s.recentFiles().size(), 3);
    EXPECT_EQ(s.getString(QStringLiteral("Recent File List"), QStringLiteral("File1")), paths[2]);
}
