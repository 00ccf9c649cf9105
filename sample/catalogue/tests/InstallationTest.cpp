// The installation the build made in SAMPLE_DIR: configuration, pictures,
// certificates and manuals are where the catalogue program looks for them.
#include "Artifacts.h"
#include "SampleCatalogue.h"
#include "SampleInstallation.h"
#include "WinPath.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString Sample = QStringLiteral(SAMPLE_DIR);
const QString Data = Sample + QStringLiteral("/kavrel/data");
const QString Db = Sample + QStringLiteral("/kavrel/db");

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const SampleCatalogue& catalogue()
{
    static const SampleCatalogue cat = SampleCatalogue::load(QStringLiteral(FIXTURE_DIR));
    return cat;
}

QStringList omitted()
{
    QStringList out;
    for (const QByteArray& line : readAll(QStringLiteral(FIXTURE_DIR "/omitted.txt")).split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            out << QString::fromUtf8(line.trimmed());
    return out;
}

// Parses an INI text into section -> key -> value, checking CR LF line ends.
QHash<QString, QHash<QString, QString>> ini(const QByteArray& text)
{
    QHash<QString, QHash<QString, QString>> out;
    QString section;
    for (const QByteArray& raw : text.split('\n')) {
        if (raw.isEmpty())
            continue;
        EXPECT_TRUE(raw.endsWith('\r')) << raw.toStdString();
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            section = line.mid(1, line.size() - 2);
            out[section];
        } else if (!line.isEmpty()) {
            const int eq = line.indexOf(u'=');
            out[section][line.left(eq)] = line.mid(eq + 1);
        }
    }
    return out;
}

} // namespace

TEST(SampleInstallation, BootstrapProfilePointsAtTheConfiguration)
{
    const auto profile = ini(readAll(Sample + QStringLiteral("/WIN.INI")));
    ASSERT_TRUE(profile.contains(QStringLiteral("KAVREL")));
    const QString config = profile[QStringLiteral("KAVREL")][QStringLiteral("INI")];
    EXPECT_EQ(QDir::cleanPath(config),
              QDir::cleanPath(Sample + QStringLiteral("/kavrel/KAVREL.INI")));
    EXPECT_TRUE(QDir::isAbsolutePath(config));
    EXPECT_TRUE(QFile::exists(config));
}

TEST(SampleInstallation, ConfigurationHoldsEverySectionAndKey)
{
    const QByteArray text = readAll(Sample + QStringLiteral("/kavrel/KAVREL.INI"));
    const auto c = ini(text);
    const QHash<QString, QStringList> keys = {
        {QStringLiteral("KAVREL"), {"JEZIK", "DIR", "DIRDB"}},
        {QStringLiteral("WWW"), {"DIR"}},
        {QStringLiteral("CENIK"), {"DIR", "FILE"}},
        {QStringLiteral("OknoPDF"), {"Left", "Top", "Width", "Height"}},
        {QStringLiteral("OknoKosovnica"), {"Left", "Top", "Width", "Height", "PanelHeight"}},
        {QStringLiteral("NAR"), {"STNAR", "DATNAR", "N1E1"}},
        {QStringLiteral("SetSymDim"),
         {"ScaleSym1", "ScaleSym2", "ScaleDim1", "ScaleDim2", "ProjectView1"}},
        {QStringLiteral("SetAcadAtt"),
         {"CBManufacturer", "CBItemNo", "CBItem", "CBBlockNo", "BlockNumber", "Connlive", "ConnBOM",
          "ConnSyncStart", "ConnSyncEnd"}},
        {QStringLiteral("Customer"), {"N1E1", "N2E1", "N3E1", "N4E1", "N5E1"}},
    };
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        ASSERT_TRUE(c.contains(it.key())) << it.key().toStdString();
        for (const QString& key : *it)
            EXPECT_TRUE(c[it.key()].contains(key))
                << it.key().toStdString() << "/" << key.toStdString();
    }
    const auto& k = c[QStringLiteral("KAVREL")];
    // The language line stays on its own, as run.sh rewrites it in place.
    EXPECT_TRUE(text.contains("\r\nJEZIK=ANG\r\n"));
    EXPECT_EQ(QDir::cleanPath(k[QStringLiteral("DIR")]), QDir::cleanPath(Data));
    EXPECT_EQ(QDir::cleanPath(k[QStringLiteral("DIRDB")]), QDir::cleanPath(Db));
    EXPECT_EQ(c[QStringLiteral("OknoKosovnica")][QStringLiteral("PanelHeight")], u"110");
    for (const QString& v : c[QStringLiteral("SetAcadAtt")])
        EXPECT_EQ(v, u"T");
    // The program appends "\BMP" and the like; the platform mapping finds them.
    EXPECT_TRUE(
        QDir(WinPath::toNative(k[QStringLiteral("DIR")] + QStringLiteral("\\BMP"))).exists());
    EXPECT_TRUE(
        QDir(WinPath::toNative(k[QStringLiteral("DIRDB")] + QStringLiteral("\\SYM\\"))).exists());
}

TEST(SampleInstallation, EveryPictureRowHasADrawnJpeg)
{
    const QStringList left = omitted();
    QImage sheet(8 * 160, 9 * 120, QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter p(&sheet);
    int n = 0;
    for (const auto& picture : catalogue().pictures()) {
        const QString rel = QStringLiteral("BMP/") + picture.name + QStringLiteral(".jpg");
        const QString path = Data + u'/' + rel;
        if (left.contains(rel)) {
            EXPECT_FALSE(QFile::exists(path)) << rel.toStdString();
            continue;
        }
        QImage image(path);
        ASSERT_FALSE(image.isNull()) << rel.toStdString();
        // An illustration, not a blank square: many distinct colours, and ink
        // on a good part of the picture.
        QSet<QRgb> colours;
        int ink = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) {
                const QRgb c = image.pixel(x, y);
                colours.insert(c & 0xF0F0F0);
                ink += qGray(c) < 200;
            }
        EXPECT_GT(colours.size(), 20) << rel.toStdString();
        EXPECT_GT(ink, image.width() * image.height() / 9 / 20) << rel.toStdString();
        if (picture.name == u"NHSYSTEM")
            EXPECT_GE(image.width(), 3 * image.height());
        else
            EXPECT_EQ(image.size(), QSize(480, 360)) << rel.toStdString();
        p.drawImage(QRect((n % 8) * 160, (n / 8) * 120, 160, 120), image);
        ++n;
    }
    p.end();
    Artifacts::save(sheet, QStringLiteral("sample-catalogue-pictures"));
    Artifacts::save(QImage(Data + QStringLiteral("/BMP/NHSYSTEM.jpg")),
                    QStringLiteral("sample-catalogue-wide-picture"));
    const QImage blank(Data + QStringLiteral("/BMP/blank.jpg"));
    ASSERT_FALSE(blank.isNull());
    EXPECT_EQ(qGray(blank.pixel(10, 10)), 255);
}

TEST(SampleInstallation, CertificatesAndManualsAreFoundByTheProgramsPaths)
{
    const QStringList left = omitted();
    QSet<QString> files;
    for (const auto& c : catalogue().certificates())
        files.insert(c.file);
    for (const QString& file : files) {
        const QString winPath = Data + QStringLiteral("\\CERT\\") + file + QStringLiteral(".PDF");
        const bool expected =
            !left.contains(QStringLiteral("CERT/") + file + QStringLiteral(".PDF"));
        EXPECT_EQ(WinPath::exists(winPath), expected) << file.toStdString();
        if (expected) {
            EXPECT_TRUE(readAll(WinPath::toNative(winPath)).startsWith("%PDF"));
        }
    }
    for (const QString& help : SampleInstallation::helpPaths()) {
        const QString native = WinPath::toNative(Data + help);
        EXPECT_TRUE(readAll(native).startsWith("%PDF")) << help.toStdString();
    }
}

TEST(SampleInstallation, ConfigurationTextIsIndependentOfTheBuildTree)
{
    const QByteArray a =
        SampleInstallation::configuration(QStringLiteral("/x/data"), QStringLiteral("/x/db"));
    EXPECT_TRUE(a.startsWith("[KAVREL]\r\nJEZIK=ANG\r\nDIR=/x/data\r\nDIRDB=/x/db\r\n"));
    EXPECT_FALSE(a.contains("\n\n"));
    EXPECT_EQ(SampleInstallation::bootstrapProfile(QStringLiteral("/c/K.INI")),
              QByteArray("[KAVREL]\r\nINI=/c/K.INI\r\n"));
}
