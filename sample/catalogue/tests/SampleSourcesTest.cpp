// Checks of the committed CSV sources of the sample catalogue: keys, widths,
// codes, names and the deliberate edge cases that other tests rely on.
#include "CsvTable.h"
#include "DrawingMaker.h"
#include "PictureMaker.h"
#include "SampleCatalogue.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString source(const char* file)
{
    return QDir(QStringLiteral(FIXTURE_DIR)).filePath(QString::fromLatin1(file));
}

const SampleCatalogue& catalogue()
{
    static const SampleCatalogue cat = SampleCatalogue::load(QStringLiteral(FIXTURE_DIR));
    return cat;
}

int nodeOf(const QString& code)
{
    for (int node : catalogue().allProducts())
        if (catalogue().code(node) == code)
            return node;
    return 0;
}

const QString A = QStringLiteral("A");

} // namespace

TEST(SampleSources, PrimaryKeysAreUniqueAndDatesValid)
{
    struct Table
    {
        const char* file;
        QStringList key;
    } tables[] = {
        {"tree.csv", {"LINK1", "LOOK", "SORT", "LINK2"}},
        {"attributes.csv", {"LINK2", "LOOK", "SORT", "LINK3"}},
        {"texts.csv", {"LINK3", "SORT"}},
        {"pictures.csv", {"LINK3"}},
    };
    for (const Table& t : tables) {
        SCOPED_TRACE(t.file);
        const CsvTable csv = CsvTable::read(source(t.file));
        QSet<QString> keys;
        for (int i = 0; i < csv.rowCount(); ++i) {
            QStringList key;
            for (const QString& field : t.key)
                key << csv.value(i, field);
            EXPECT_FALSE(keys.contains(key.join(u';'))) << key.join(u';').toStdString();
            keys.insert(key.join(u';'));
            if (csv.header().contains(QStringLiteral("DATUM"))) {
                EXPECT_TRUE(QDate::fromString(csv.value(i, QStringLiteral("DATUM")), Qt::ISODate)
                                .isValid());
            }
        }
    }
}

TEST(SampleSources, TextFieldsFitTheirWidths)
{
    const CsvTable texts = CsvTable::read(source("texts.csv"));
    for (int i = 0; i < texts.rowCount(); ++i) {
        EXPECT_LE(texts.value(i, QStringLiteral("KODA")).size(), 7);
        for (const QString& lang : SampleCatalogue::languages())
            EXPECT_LE(texts.value(i, lang).size(), 40) << texts.value(i, lang).toStdString();
    }
    const CsvTable pics = CsvTable::read(source("pictures.csv"));
    for (int i = 0; i < pics.rowCount(); ++i)
        EXPECT_LE(pics.value(i, QStringLiteral("IME")).size(), 8);
}

TEST(SampleSources, ProductsHaveCodesNamesPagesAndDrawings)
{
    const SampleCatalogue& cat = catalogue();
    const QVector<int> products = cat.allProducts();
    EXPECT_GE(products.size(), 300);
    QSet<QString> codes;
    const int nameless = nodeOf(QString()); // the product without a name row
    for (int node : products) {
        SCOPED_TRACE(node);
        EXPECT_TRUE(cat.children(node).isEmpty()); // products are leaves
        if (node == nameless) {
            EXPECT_FALSE(cat.text(node, A, 0, QStringLiteral("ANG")).has_value());
            continue;
        }
        const QString code = cat.code(node);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9]\\d{6}$")).match(code).hasMatch())
            << code.toStdString();
        EXPECT_FALSE(codes.contains(code)) << code.toStdString();
        codes.insert(code);
        for (const QString& lang : SampleCatalogue::languages())
            EXPECT_FALSE(cat.name(node, lang).isEmpty());
        // Every language has its own wording.
        EXPECT_NE(cat.name(node, QStringLiteral("SLO")), cat.name(node, QStringLiteral("ANG")));
        EXPECT_NE(cat.name(node, QStringLiteral("NEM")), cat.name(node, QStringLiteral("ANG")));
        EXPECT_NE(cat.name(node, QStringLiteral("HRV")), cat.name(node, QStringLiteral("ANG")));
        EXPECT_TRUE(cat.text(node, A, 10, QStringLiteral("ANG")).has_value());
        EXPECT_GT(cat.placementPage(node, 20), 1);
        for (int sort : {11, 12, 13}) {
            const auto drawing = cat.text(node, A, sort, QStringLiteral("ANG"));
            if (drawing && !drawing->isEmpty()) {
                EXPECT_TRUE(DrawingMaker::make(*drawing).has_value()) << drawing->toStdString();
            }
        }
    }
    EXPECT_EQ(nodeOf(QStringLiteral("1110630")) > 0, true);
}

TEST(SampleSources, FuseLinkCodesSpellTheirNames)
{
    // "1" + category + size + rating x 10: the name of each language must say
    // the same size, category and rating.
    static const QStringList sizes = {QStringLiteral("NH000"), QStringLiteral("NH00"),
                                      QStringLiteral("NH1"),   QStringLiteral("NH2"),
                                      QStringLiteral("NH3"),   QStringLiteral("D II"),
                                      QStringLiteral("D III"), QStringLiteral("D01"),
                                      QStringLiteral("D02"),   QStringLiteral("10x38")};
    static const QStringList categories = {QString(), QStringLiteral("gG"), QStringLiteral("aM"),
                                           QStringLiteral("gR")};
    int fuseLinks = 0;
    for (int node : catalogue().allProducts()) {
        const QString code = catalogue().code(node);
        if (!code.startsWith(u'1'))
            continue;
        ++fuseLinks;
        const int cat = code.mid(1, 1).toInt();
        ASSERT_TRUE(cat >= 1 && cat <= 3) << code.toStdString();
        const double amps = code.mid(3).toInt() / 10.0;
        QString rating = QString::number(amps, 'g', 4);
        const QString tail = QStringLiteral(" %1 %2 A").arg(categories[cat]);
        const QString expected = sizes[code.mid(2, 1).toInt()] + tail.arg(rating);
        const QString continental =
            sizes[code.mid(2, 1).toInt()] + tail.arg(QString(rating).replace(u'.', u','));
        EXPECT_TRUE(catalogue().name(node, QStringLiteral("ANG")).endsWith(expected))
            << code.toStdString() << " "
            << catalogue().name(node, QStringLiteral("ANG")).toStdString();
        for (const char* lang : {"SLO", "NEM", "HRV"})
            EXPECT_TRUE(catalogue().name(node, QString::fromLatin1(lang)).endsWith(continental))
                << code.toStdString() << " " << lang;
    }
    EXPECT_GT(fuseLinks, 150);
}

TEST(SampleSources, TreeHasSegmentsChaptersAndFourLevels)
{
    const SampleCatalogue& cat = catalogue();
    EXPECT_EQ(cat.segments(), (QVector<int>{2, 3, 4}));
    EXPECT_GE(cat.children(2).size(), 4);
    // The sparse energy segment and a chapter listed under two segments.
    EXPECT_LE(cat.children(3).size(), 2);
    EXPECT_TRUE(cat.children(2).contains(10));
    EXPECT_TRUE(cat.children(3).contains(10));
    for (int chapter : cat.chapters()) {
        SCOPED_TRACE(chapter);
        EXPECT_FALSE(cat.name(chapter, QStringLiteral("ANG")).isEmpty());
        EXPECT_EQ(cat.placementPage(chapter, 10), 1);
        EXPECT_FALSE(cat.products(chapter).isEmpty());
    }
}

TEST(SampleSources, DeliberateEdgeCasesAreWhereTheReadmeSays)
{
    const SampleCatalogue& cat = catalogue();
    // Groups without children.
    EXPECT_TRUE(cat.children(1005).isEmpty());
    EXPECT_TRUE(cat.children(108).isEmpty());
    EXPECT_TRUE(cat.children(13).contains(108));
    // The product without a name row.
    EXPECT_FALSE(cat.text(10131, A, 0, QStringLiteral("ANG")).has_value());
    EXPECT_TRUE(cat.text(10131, A, 10, QStringLiteral("ANG")).has_value());
    // Empty page and unknown paragraph style.
    EXPECT_EQ(nodeOf(QStringLiteral("2360063")), 10136);
    EXPECT_TRUE(cat.paragraphs(10136, QStringLiteral("ANG")).isEmpty());
    EXPECT_EQ(nodeOf(QStringLiteral("4210016")), 10196);
    EXPECT_EQ(cat.paragraphs(10196, QStringLiteral("ANG")).value(6).first, QStringLiteral("X"));
    // Pictures: none, a number without a picture row, a file left out.
    EXPECT_EQ(nodeOf(QStringLiteral("1246300")), 10092);
    EXPECT_FALSE(cat.text(10092, QStringLiteral("0"), 1, QStringLiteral("ANG")).has_value());
    const CsvTable attrs = CsvTable::read(source("attributes.csv"));
    QHash<int, int> pictureOf;
    for (int i = 0; i < attrs.rowCount(); ++i)
        if (attrs.value(i, QStringLiteral("LOOK")) == u"0")
            pictureOf[attrs.intValue(i, QStringLiteral("LINK2"))] =
                attrs.intValue(i, QStringLiteral("LINK3"));
    EXPECT_FALSE(pictureOf.contains(10092));
    EXPECT_EQ(pictureOf.value(10091), 999);
    QHash<int, QString> pictureName;
    for (const auto& p : cat.pictures())
        pictureName[p.number] = p.name;
    EXPECT_FALSE(pictureName.contains(999));
    EXPECT_EQ(pictureName.value(pictureOf.value(10090)), QStringLiteral("MISSNH3"));
    // The wide picture belongs to chapter 10.
    EXPECT_EQ(pictureName.value(pictureOf.value(10)), QStringLiteral("NHSYSTEM"));
    // Page text "12a" on a product printed on page 12.
    EXPECT_EQ(nodeOf(QStringLiteral("1231250")), 10082);
    EXPECT_EQ(cat.text(10082, A, 10, QStringLiteral("ANG")), QStringLiteral("12a"));
    EXPECT_EQ(cat.placementPage(10082, 10), 12);
    // Lowest text number and lowest text SORT win.
    EXPECT_EQ(cat.name(10026, QStringLiteral("ANG")), QStringLiteral("Fuse link NH00 gG 80 A"));
    EXPECT_EQ(cat.name(nodeOf(QStringLiteral("1110100")), QStringLiteral("ANG")),
              QStringLiteral("Fuse link NH00 gG 10 A"));
    // A branch row of another LOOK below group 100.
    EXPECT_TRUE(cat.children(100, QStringLiteral("B")).contains(10061));
    EXPECT_FALSE(cat.children(100).contains(10061));
    // Several certificates for one product.
    int showcase = 0;
    for (const auto& c : cat.certificates())
        showcase += c.code == u"1110630";
    EXPECT_EQ(showcase, 3);
}

TEST(SampleSources, EveryPictureNameHasADrawing)
{
    for (const auto& p : catalogue().pictures()) {
        if (p.name.startsWith(QLatin1String("MISS")))
            continue;
        EXPECT_FALSE(PictureMaker::draw(p.name).isNull()) << p.name.toStdString();
    }
    EXPECT_TRUE(PictureMaker::draw(QStringLiteral("NOSUCH")).isNull());
}
