#include "PrivateProfile.h"
#include "ProfileTestSupport.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray fixtureWith(const char* name, const char* before, const char* after)
{
    QByteArray b = ProfileScratch::fixtureBytes(QLatin1String(name));
    const qsizetype at = b.indexOf(before);
    if (at < 0)
        return QByteArray("fixture text not found");
    return b.replace(at, qstrlen(before), after);
}

ino_t inodeOf(const QString& path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool write(const char* section, const char* key, const QString& value, const QString& file,
           QString* error = nullptr)
{
    return PrivateProfile::writeString(QLatin1String(section), QLatin1String(key), value, file,
                                       error);
}

QString read(const char* section, const char* key, const QString& file)
{
    return PrivateProfile::getString(QLatin1String(section), QLatin1String(key),
                                     QStringLiteral("<none>"), file);
}

} // namespace

TEST(PrivateProfileWrite, ChangingOneValueKeepsEveryOtherByte)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    ASSERT_TRUE(write("kavrel", "jezik", QStringLiteral("ANG"), file));
    EXPECT_EQ(ProfileScratch::bytes(file), fixtureWith("crlf.ini", "JEZIK=SLO", "JEZIK=ANG"));
}

TEST(PrivateProfileWrite, NewKeyGoesAfterTheLastEntryOfItsSection)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    ASSERT_TRUE(write("KAVREL", "DIRDB", QStringLiteral("C:\\KAVREL\\DB"), file));
    ASSERT_TRUE(write("Other", "B", QStringLiteral("2"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              QByteArray("[KAVREL]\r\nJEZIK=SLO\r\nDIR=C:\\KAVREL\\DATA\r\nDIRDB=C:\\KAVREL\\DB\r\n"
                         "\r\n[Other]\r\nA=1\r\nB=2\r\n"));
}

TEST(PrivateProfileWrite, NewKeyStaysAheadOfTheCommentOfTheNextSection)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("comments.ini"));
    ASSERT_TRUE(write("S", "New", QStringLiteral("1"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              fixtureWith("comments.ini", "looseline\r\n", "looseline\r\nNew=1\r\n"));
}

TEST(PrivateProfileWrite, NewSectionIsAppendedWithCrLf)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    ASSERT_TRUE(write("SetSymDim", "ScaleSym1", QStringLiteral("1"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              ProfileScratch::fixtureBytes(QStringLiteral("crlf.ini")) +
                  "[SetSymDim]\r\nScaleSym1=1\r\n");
}

TEST(PrivateProfileWrite, MissingFileIsCreatedByTheFirstWrite)
{
    ProfileScratch dir;
    const QString file = dir.path() + QStringLiteral("/new.cvp");
    ASSERT_TRUE(write("Fuses", "NH00 gG 10A", QString(), file));
    ASSERT_TRUE(write("XConstLines", "Ik", QStringLiteral("1000"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              QByteArray("[Fuses]\r\nNH00 gG 10A=\r\n[XConstLines]\r\nIk=1000\r\n"));
    // Deleting from a file that does not exist creates nothing.
    const QString other = dir.path() + QStringLiteral("/other.ini");
    EXPECT_TRUE(PrivateProfile::deleteSection(QStringLiteral("S"), other));
    EXPECT_TRUE(PrivateProfile::deleteKey(QStringLiteral("S"), QStringLiteral("K"), other));
    EXPECT_FALSE(QFileInfo::exists(other));
}

TEST(PrivateProfileWrite, FileLineEndsAndAMissingFinalLineEnd)
{
    ProfileScratch dir;
    const QString lf = dir.copy(QStringLiteral("lf.ini"));
    ASSERT_TRUE(write("S", "B", QStringLiteral("2"), lf));
    EXPECT_EQ(ProfileScratch::bytes(lf), QByteArray("[S]\nA=1\nB=2\n"));

    const QString open = dir.copy(QStringLiteral("no-final-newline.ini"));
    ASSERT_TRUE(write("S", "A", QStringLiteral("3"), open));
    EXPECT_EQ(ProfileScratch::bytes(open), QByteArray("[S]\r\nA=3"));
    ASSERT_TRUE(write("S", "B", QStringLiteral("2"), open));
    EXPECT_EQ(ProfileScratch::bytes(open), QByteArray("[S]\r\nA=3\r\nB=2\r\n"));
}

TEST(PrivateProfileWrite, DeleteKeyRemovesItsLinesOnly)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    ASSERT_TRUE(PrivateProfile::deleteKey(QStringLiteral("KAVREL"), QStringLiteral("dir"), file));
    EXPECT_EQ(ProfileScratch::bytes(file), fixtureWith("crlf.ini", "DIR=C:\\KAVREL\\DATA\r\n", ""));

    // Every duplicate goes, so that no later one shows through.
    const QString dup = dir.copy(QStringLiteral("duplicates.ini"));
    ASSERT_TRUE(PrivateProfile::deleteKey(QStringLiteral("S"), QStringLiteral("K"), dup));
    EXPECT_EQ(read("S", "K", dup), QStringLiteral("<none>"));
    EXPECT_EQ(ProfileScratch::bytes(dup), QByteArray("[S]\r\n[s]\r\nK=third\r\nOnly=inSecond\r\n"));
}

TEST(PrivateProfileWrite, DeleteSectionRemovesEverySectionOfTheName)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    ASSERT_TRUE(PrivateProfile::deleteSection(QStringLiteral("kavrel"), file));
    EXPECT_EQ(ProfileScratch::bytes(file), QByteArray("[Other]\r\nA=1\r\n"));

    const QString dup = dir.copy(QStringLiteral("duplicates.ini"));
    ASSERT_TRUE(PrivateProfile::deleteSection(QStringLiteral("S"), dup));
    EXPECT_EQ(ProfileScratch::bytes(dup), QByteArray());
    EXPECT_TRUE(PrivateProfile::getSectionNames(dup).isEmpty());
}

TEST(PrivateProfileWrite, RewritingAProjectReplacesItsSections)
{
    // The way a project is saved: remove the sections, then write entries.
    ProfileScratch dir;
    const QString file = dir.path() + QStringLiteral("/p.cvp");
    for (int round = 0; round < 2; ++round) {
        for (const char* s : {"Fuses", "Characteristic", "XConstLines"})
            ASSERT_TRUE(PrivateProfile::deleteSection(QLatin1String(s), file));
        ASSERT_TRUE(write("Fuses", "F1", QString(), file));
        ASSERT_TRUE(write("Fuses", "F2", QString(), file));
        ASSERT_TRUE(write("Characteristic", "Time-Current", QString(), file));
    }
    EXPECT_EQ(ProfileScratch::bytes(file),
              QByteArray("[Fuses]\r\nF1=\r\nF2=\r\n[Characteristic]\r\nTime-Current=\r\n"));
    EXPECT_EQ(PrivateProfile::getSection(QStringLiteral("Fuses"), file),
              QStringList({QStringLiteral("F1="), QStringLiteral("F2=")}));
}

TEST(PrivateProfileWrite, ValuesReadBackUnchanged)
{
    ProfileScratch dir;
    const QString file = dir.path() + QStringLiteral("/values.ini");
    const QStringList values = {
        QStringLiteral("plain"),
        QStringLiteral("  leading"),
        QStringLiteral("trailing "),
        QStringLiteral("\"quoted\""),
        QStringLiteral("'single'"),
        QStringLiteral("\""),
        QStringLiteral("a=b=c"),
        QStringLiteral("[x]"),
        QStringLiteral(";not a comment"),
        QString::fromUtf8("Čćžšđ 日本"),
        QString(),
        QStringLiteral("C:\\DATA\\"),
    };
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(PrivateProfile::writeString(QStringLiteral("V"), QStringLiteral("K%1").arg(i),
                                                values[i], file));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(PrivateProfile::getString(QStringLiteral("V"), QStringLiteral("K%1").arg(i),
                                            QStringLiteral("<none>"), file),
                  values[i])
            << i;
    // A blank-padded value is stored in quotes.
    EXPECT_TRUE(ProfileScratch::bytes(file).contains("K1=\"  leading\"\r\n"));
}

TEST(PrivateProfileWrite, WhatCannotBeStoredIsRefusedAndTheFileKept)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    const QByteArray before = ProfileScratch::bytes(file);
    QString error;
    EXPECT_FALSE(write("KAVREL", "JEZIK", QStringLiteral("SLO\r\n[Injected]"), file, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(write("KAVREL", "A=B", QStringLiteral("1"), file));
    EXPECT_FALSE(write("KAVREL", "  ", QStringLiteral("1"), file));
    EXPECT_FALSE(write("KAVREL", "[X]", QStringLiteral("1"), file));
    EXPECT_FALSE(write("KAVREL", ";c", QStringLiteral("1"), file));
    EXPECT_FALSE(write("KAV]REL", "K", QStringLiteral("1"), file));
    EXPECT_FALSE(write("KAVREL\n", "K\nL", QStringLiteral("1"), file));
    EXPECT_EQ(ProfileScratch::bytes(file), before);
}

TEST(PrivateProfileWrite, Windows1250FileStaysWindows1250WhileTheTextFits)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("cp1250.ini"));
    ASSERT_TRUE(write("Customer", "N2E1", QString::fromUtf8("Črnomelj"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              fixtureWith("cp1250.ini", "N2E1=Ljubljana", "N2E1=\xC8rnomelj"));
    EXPECT_EQ(read("Customer", "N2E1", file), QString::fromUtf8("Črnomelj"));

    // Text the code page cannot hold turns the whole file into UTF-8
    // instead of losing characters.
    ASSERT_TRUE(write("Customer", "N3E1", QString::fromUtf8("東京"), file));
    const QByteArray bytes = ProfileScratch::bytes(file);
    EXPECT_TRUE(bytes.contains(QString::fromUtf8("Šolska ulica čćžđ ŠČŽ").toUtf8()));
    EXPECT_EQ(read("Customer", "N1E1", file), QString::fromUtf8("Šolska ulica čćžđ ŠČŽ"));
    EXPECT_EQ(read("Customer", "N2E1", file), QString::fromUtf8("Črnomelj"));
    EXPECT_EQ(read("Customer", "N3E1", file), QString::fromUtf8("東京"));
}

TEST(PrivateProfileWrite, ByteOrderMarkIsKept)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("utf8-bom.ini"));
    ASSERT_TRUE(write("S", "X", QStringLiteral("1"), file));
    EXPECT_EQ(ProfileScratch::bytes(file),
              ProfileScratch::fixtureBytes(QStringLiteral("utf8-bom.ini")) + "X=1\r\n");
}

TEST(PrivateProfileWrite, WriteReplacesTheFileAtomically)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    const QString link = dir.path() + QStringLiteral("/hardlink.ini");
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(link).constData()), 0);
    const ino_t before = inodeOf(file);

    ASSERT_TRUE(write("KAVREL", "JEZIK", QStringLiteral("HRV"), file));
    // A new file was renamed into place: the old inode (still reachable
    // through the hard link) holds the complete old content.
    EXPECT_NE(inodeOf(file), before);
    EXPECT_EQ(ProfileScratch::bytes(link),
              ProfileScratch::fixtureBytes(QStringLiteral("crlf.ini")));
    EXPECT_EQ(read("KAVREL", "JEZIK", file), QStringLiteral("HRV"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // Writing the value the file already has does not touch it.
    const ino_t after = inodeOf(file);
    ASSERT_TRUE(write("KAVREL", "JEZIK", QStringLiteral("HRV"), file));
    EXPECT_EQ(inodeOf(file), after);
}

TEST(PrivateProfileWrite, ReadOnlyFileAndMissingDirectoryFail)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser);
    QString error;
    EXPECT_FALSE(write("KAVREL", "JEZIK", QStringLiteral("ANG"), file, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read("KAVREL", "JEZIK", file), QStringLiteral("SLO"));

    error.clear();
    EXPECT_FALSE(
        write("S", "K", QStringLiteral("1"), dir.path() + QStringLiteral("/no/x.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PrivateProfileWrite, UnreadableFileIsNotOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can read any file";
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    QFile::setPermissions(file, QFile::WriteOwner | QFile::WriteUser);
    EXPECT_FALSE(write("KAVREL", "JEZIK", QStringLiteral("ANG"), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(ProfileScratch::bytes(file),
              ProfileScratch::fixtureBytes(QStringLiteral("crlf.ini")));
}

TEST(PrivateProfileWrite, WindowsPathsFindTheFileWithoutRegardToCase)
{
    ProfileScratch dir;
    QDir(dir.path()).mkpath(QStringLiteral("Kavrel"));
    const QString file = dir.path() + QStringLiteral("/Kavrel/KAVREL.INI");
    ProfileScratch::writeBytes(file, ProfileScratch::fixtureBytes(QStringLiteral("crlf.ini")));
    const QString winPath = dir.path() + QStringLiteral("\\KAVREL\\kavrel.ini");
    EXPECT_EQ(read("KAVREL", "JEZIK", winPath), QStringLiteral("SLO"));
    ASSERT_TRUE(write("KAVREL", "JEZIK", QStringLiteral("POL"), winPath));
    EXPECT_EQ(read("KAVREL", "JEZIK", file), QStringLiteral("POL"));
    EXPECT_EQ(QDir(dir.path() + QStringLiteral("/Kavrel")).entryList(QDir::Files),
              QStringList({QStringLiteral("KAVREL.INI")}));
}

TEST(PrivateProfileWrite, SymbolicLinkStaysAndItsTargetChanges)
{
    ProfileScratch dir;
    const QString target = dir.copy(QStringLiteral("crlf.ini"));
    const QString link = dir.path() + QStringLiteral("/link.ini");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(write("KAVREL", "JEZIK", QStringLiteral("NEM"), link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(read("KAVREL", "JEZIK", target), QStringLiteral("NEM"));
}

TEST(PrivateProfileWrite, PermissionsOfTheFileAreKept)
{
    ProfileScratch dir;
    const QString file = dir.copy(QStringLiteral("crlf.ini"));
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(file, perms));
    ASSERT_TRUE(write("KAVREL", "JEZIK", QStringLiteral("NEM"), file));
    constexpr QFile::Permissions bits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(file).permissions() & bits, perms);
}
