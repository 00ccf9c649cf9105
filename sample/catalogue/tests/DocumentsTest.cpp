// The PDF documents of the installation: every product's page number leads
// to the page that shows it, in every language's chapter document and in the
// technical data. Text is extracted with pdftotext, as a reader would see it.
#include "Artifacts.h"
#include "DocumentMaker.h"
#include "SampleCatalogue.h"
#include "WinPath.h"

#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString Data = QStringLiteral(SAMPLE_DIR "/kavrel/data");

const SampleCatalogue& catalogue()
{
    static const SampleCatalogue cat = SampleCatalogue::load(QStringLiteral(FIXTURE_DIR));
    return cat;
}

// Text of each page (index 0 is page 1).
QStringList pages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral(PDFTOTEXT),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!out.isEmpty() && out.last().trimmed().isEmpty())
        out.removeLast();
    return out;
}

QString squeeze(QString s)
{
    return s.simplified();
}

} // namespace

TEST(SampleDocuments, ChapterPagesShowTheirProductsInEveryLanguage)
{
    ASSERT_TRUE(QFile::exists(QStringLiteral(PDFTOTEXT))) << "pdftotext is missing";
    const SampleCatalogue& cat = catalogue();
    const DocumentMaker docs(cat);
    int checked = 0;
    for (int chapter : cat.chapters()) {
        QSet<QString> done;
        for (const QString& lang : SampleCatalogue::languages()) {
            const QString name = cat.name(chapter, lang);
            if (done.contains(name))
                continue;
            done.insert(name);
            SCOPED_TRACE((name + QStringLiteral(".PDF")).toStdString());
            // The program builds the path with backslashes and upper-case ".PDF".
            const QString path =
                WinPath::toNative(Data + QStringLiteral("\\PDF\\") + name + QStringLiteral(".PDF"));
            const QStringList text = pages(path);
            ASSERT_EQ(text.size(), docs.chapterPages(chapter));
            EXPECT_TRUE(squeeze(text[0]).contains(name));
            for (int node : cat.products(chapter)) {
                const QString code = cat.code(node);
                if (code.isEmpty())
                    continue;
                const int page = cat.placementPage(node, 10);
                ASSERT_GT(page, 1) << code.toStdString();
                for (int i = 0; i < text.size(); ++i)
                    EXPECT_EQ(text[i].contains(code), i + 1 == page)
                        << code.toStdString() << " page " << i + 1;
                EXPECT_TRUE(squeeze(text[page - 1]).contains(cat.name(node, lang)))
                    << cat.name(node, lang).toStdString();
                ++checked;
            }
            for (const auto& [level, group] : cat.groups(chapter)) {
                const int page = cat.placementPage(group, 10);
                if (level == 2 && page > 0) {
                    EXPECT_TRUE(squeeze(text[page - 1]).contains(cat.name(group, lang)))
                        << cat.name(group, lang).toStdString();
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(SampleDocuments, TechnicalDataPagesShowTheirProducts)
{
    const SampleCatalogue& cat = catalogue();
    const QStringList text =
        pages(WinPath::toNative(Data + QStringLiteral("\\PDF\\TECH_DATA.PDF")));
    ASSERT_EQ(text.size(), DocumentMaker(cat).technicalDataPages());
    for (int node : cat.allProducts()) {
        const QString code = cat.code(node);
        if (code.isEmpty())
            continue;
        const int page = cat.placementPage(node, 20);
        ASSERT_GT(page, 1);
        EXPECT_TRUE(text[page - 1].contains(code)) << code.toStdString() << " page " << page;
        EXPECT_FALSE(text[page - 2].contains(code)) << code.toStdString();
    }
    for (int chapter : cat.chapters())
        EXPECT_TRUE(squeeze(text[0]).contains(cat.name(chapter, QStringLiteral("ANG"))));
}

TEST(SampleDocuments, CertificatesNameTheirProducts)
{
    QHash<QString, QStringList> codes;
    for (const auto& c : catalogue().certificates())
        codes[c.file] << c.code;
    for (auto it = codes.begin(); it != codes.end(); ++it) {
        const QString path = Data + QStringLiteral("/CERT/") + it.key() + QStringLiteral(".PDF");
        if (!QFile::exists(path))
            continue; // left out on purpose; InstallationTest checks which
        const QString text = pages(path).join(u' ');
        EXPECT_TRUE(text.contains(it->first())) << it.key().toStdString();
    }
}

TEST(SampleDocuments, RenderedPagesForALook)
{
    const QString path = WinPath::toNative(Data + QStringLiteral("\\PDF\\NH fuse system.PDF"));
    for (const auto& [file, page] :
         {std::pair{path, 0}, std::pair{path, 3},
          std::pair{WinPath::toNative(Data + QStringLiteral("\\PDF\\TECH_DATA.PDF")), 3}}) {
        QPdfDocument doc;
        ASSERT_EQ(doc.load(file), QPdfDocument::Error::None);
        const QImage image = doc.render(page, QSize(595, 842));
        ASSERT_FALSE(image.isNull());
        Artifacts::save(image, QStringLiteral("sample-catalogue-pdf-%1-page%2")
                                   .arg(file.contains(QLatin1String("TECH")) ? u"tech" : u"nh")
                                   .arg(page + 1));
    }
}
