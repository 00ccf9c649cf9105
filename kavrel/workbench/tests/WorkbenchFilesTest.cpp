#include "AcadMenuFile.h"
#include "PrivateProfile.h"
#include "QtPrinters.h"
#include "WorkbenchModel.h"
#include "WorkbenchPlacement.h"
#include "WorkbenchSettings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ConfigAccess profileAt(const QString& file)
{
    return {[file](const QString& s, const QString& k, const QString& d) {
                return PrivateProfile::getString(s, k, d, file);
            },
            [file](const QString& s, const QString& k, const QString& v) {
                return PrivateProfile::writeString(s, k, v, file);
            }};
}

} // namespace

TEST(WorkbenchFiles, SettingsRoundTripAndDefaults)
{
    QTemporaryDir dir;
    const QString ini = dir.path() + QStringLiteral("/KAVREL.INI");
    const ConfigAccess config = profileAt(ini);

    const WorkbenchSettings fresh = WorkbenchSettings::load(config); // no file: design values
    EXPECT_EQ(fresh.scaleDim2, QStringLiteral("1"));
    EXPECT_TRUE(fresh.projectView);
    EXPECT_TRUE(fresh.options[WorkbenchSettings::ConnSyncEnd]);

    WorkbenchSettings s = fresh;
    s.scaleDim1 = QStringLiteral("1");
    s.scaleDim2 = QStringLiteral("50");
    s.projectView = false;
    s.options[WorkbenchSettings::ConnBom] = false;
    s.customer[4] = QStringLiteral("SI12345678");
    ASSERT_TRUE(s.save(config));
    const WorkbenchSettings back = WorkbenchSettings::load(config);
    EXPECT_EQ(back.scaleDim1 + u':' + back.scaleDim2, QStringLiteral("1:50"));
    EXPECT_FALSE(back.projectView);
    EXPECT_FALSE(back.options[WorkbenchSettings::ConnBom]);
    EXPECT_TRUE(back.options[WorkbenchSettings::ConnLive]);
    EXPECT_EQ(back.customer[4], QStringLiteral("SI12345678"));
    EXPECT_EQ(PrivateProfile::getString("SetAcadAtt", "ConnBOM", "", ini), QStringLiteral("F"));

    // Only exactly "T" is on.
    PrivateProfile::writeString("SetAcadAtt", "Connlive", "t", ini);
    EXPECT_FALSE(WorkbenchSettings::load(config).options[WorkbenchSettings::ConnLive]);
}

TEST(WorkbenchFiles, ScaleFactors)
{
    EXPECT_EQ(WorkbenchSettings::factor("1", "50"), 50.0);
    EXPECT_EQ(WorkbenchSettings::factor("4", "1"), 0.25);
    EXPECT_FALSE(WorkbenchSettings::factor("0", "1")); // keeps the previous factor
    EXPECT_FALSE(WorkbenchSettings::factor("1", "abc"));
    EXPECT_FALSE(WorkbenchSettings::factor("", "1"));
    EXPECT_EQ(WorkbenchSettings::conversionError("abc"),
              QStringLiteral("'abc' is not a valid floating point value"));

    const auto far = WorkbenchSettings::fromContactDistance(30);
    ASSERT_TRUE(far);
    EXPECT_EQ(far->first + u':' + far->second, QStringLiteral("1:2"));
    EXPECT_EQ(far->factor, 2.0);
    const auto near = WorkbenchSettings::fromContactDistance(7.5);
    ASSERT_TRUE(near);
    EXPECT_EQ(near->first + u':' + near->second, QStringLiteral("2:1"));
    EXPECT_EQ(near->factor, 0.5);
    EXPECT_FALSE(WorkbenchSettings::fromContactDistance(0));
}

TEST(WorkbenchFiles, PlacementStoredOnlyWhenAllFiveAreWholeNumbers)
{
    QTemporaryDir dir;
    const QString ini = dir.path() + QStringLiteral("/KAVREL.INI");
    const ConfigAccess config = profileAt(ini);
    const QRect current(10, 20, 700, 300);

    WorkbenchPlacement none = WorkbenchPlacement::load(config, current);
    EXPECT_FALSE(none.stored);
    EXPECT_EQ(none.geometry, current);
    EXPECT_EQ(none.panelHeight, 110);

    WorkbenchPlacement p{QRect(5, 6, 800, 400), 150, true};
    ASSERT_TRUE(p.save(config));
    const WorkbenchPlacement back = WorkbenchPlacement::load(config, current);
    EXPECT_TRUE(back.stored);
    EXPECT_EQ(back.geometry, QRect(5, 6, 800, 400));
    EXPECT_EQ(back.panelHeight, 150);

    for (const char* bad : {"12a", "", " 12", "1.5"}) {
        p.save(config);
        PrivateProfile::writeString("OknoKosovnica", "Top", QString::fromLatin1(bad), ini);
        const WorkbenchPlacement q = WorkbenchPlacement::load(config, current);
        EXPECT_FALSE(q.stored) << bad;
        EXPECT_EQ(q.geometry.top(), current.top()) << bad;
        EXPECT_EQ(q.geometry.left(), 5) << bad;
    }
}

TEST(WorkbenchFiles, MenuFileByteForByte)
{
    const QByteArray expected =
        "//\r\n"
        "//      AutoCAD menu file - C:\\Program Files\\KAVREL\\kavrel.mnu\r\n"
        "//\r\n"
        "\r\n"
        "***MENUGROUP=KAVREL\r\n"
        "\r\n"
        "***POP1\r\n"
        "\r\n"
        "M_KAVREL     [KAVREL]\r\n"
        "M_KATALOG      [Katalog]^C^C(startapp \"C:/Program Files/KAVREL/kavrel.exe\" \"acad\") \r\n"
        "\r\n"
        "***TOOLBARS\r\n"
        "\r\n"
        "//\r\n"
        "//      End of AutoCAD menu file - C:\\Program Files\\KAVREL\\kavrel.mnu\r\n"
        "//\r\n";
    const QString dir = QStringLiteral("C:\\Program Files\\KAVREL\\");
    const QStringList lines = AcadMenuFile::lines(dir, dir, QStringLiteral("kavrel.exe"));
    EXPECT_EQ(lines.size(), 16);
    EXPECT_EQ(AcadMenuFile::bytes(lines), expected);

    // A program directory that cannot be written falls back to the user's
    // (a directory below a plain file cannot be written, even by root).
    QTemporaryDir tmp;
    QFile plain(tmp.path() + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString locked = tmp.path() + QStringLiteral("/plain/bin/");
    QString error;
    const QString written = AcadMenuFile::write(locked, QStringLiteral("kavrel"), &error);
    ASSERT_FALSE(written.isEmpty()) << error.toStdString();
    EXPECT_TRUE(written.startsWith(AcadMenuFile::fallbackDir()));
    QFile f(written);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> got = f.readAll().split('\n');
    EXPECT_EQ(got.at(9), "M_KATALOG      [Katalog]^C^C(startapp \"" + locked.toLocal8Bit() +
                             "kavrel\" \"acad\") \r");
}

TEST(WorkbenchFiles, KilledProcessLosesNoPostedItem)
{
    QTemporaryDir dir;
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER), {dir.path()});
    ASSERT_TRUE(writer.waitForStarted());
    int added = 0;
    while (added < 40 && writer.waitForReadyRead(10000)) {
        while (writer.canReadLine()) {
            const QByteArray line = writer.readLine().trimmed();
            if (line.startsWith("added "))
                added = line.mid(6).toInt();
        }
    }
    writer.kill(); // SIGKILL: no handler, no write-back
    writer.waitForFinished();
    ASSERT_GE(added, 40);

    WorkbenchModel model;
    model.open(dir.path(), QStringLiteral("ANG"));
    EXPECT_EQ(model.tables().Projekt.recordCount(), 1);
    EXPECT_EQ(model.tables().Risba.recordCount(), 1);
    EXPECT_GE(model.tables().TNar.recordCount(), added);
    EXPECT_GE(model.tables().narUnTable().rowCount(), added);
    EXPECT_DOUBLE_EQ(model.projectTotal(), 6.0 * model.tables().TNar.recordCount());
}
