// The content of an open drawing: attributes placed by their reference, erase
// and undo keeping ids and handles, values from outside checked, and blocks that
// nest in themselves drawn without hanging.
#include "CadDocument.h"
#include "CadError.h"
#include "DrawingContent.h"
#include "DrawingGeometry.h"
#include "DxfReader.h"
#include "QtPrinters.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

DrawingContent content()
{
    static qint64 next = 1000;
    return DrawingContent([] { return ++next; });
}

qint64 symbolBlock(DrawingContent& c)
{
    const qint64 b = c.addBlock({1, 1, 0}, QStringLiteral("SYM"));
    c.addAttributeDefinition(b, 0.2, 0, QStringLiteral("Block"), {2, 1, 0}, QStringLiteral("Block"),
                             QStringLiteral("F1"));
    c.addAttributeDefinition(b, 0.2, 2, QStringLiteral("Const"), {2, 0, 0}, QStringLiteral("Const"),
                             QStringLiteral("x"));
    return b;
}

} // namespace

TEST(DrawingContent, ReferencesGetTheirDefinitionsAttributesWhereTheInsertionPutsThem)
{
    DrawingContent c = content();
    symbolBlock(c);
    // Scale 2 about the base point (1, 1), a quarter turn, moved to (10, 10).
    const qint64 ref = c.insertReference({10, 10, 0}, QStringLiteral("sym"), 2, 2, 2, M_PI / 2);
    const DrawingContent::Entity& e = c.entity(c.require(ref));
    EXPECT_EQ(e.dxf.blockName, u"SYM");
    ASSERT_EQ(e.dxf.attributes.size(), 1); // constant attributes stay in the definition
    const DxfAttribute& a = e.dxf.attributes[0];
    EXPECT_EQ(a.tag, u"Block");
    EXPECT_EQ(a.text, u"F1");
    EXPECT_NEAR(a.position.x, 10, 1e-9);
    EXPECT_NEAR(a.position.y, 12, 1e-9);
    EXPECT_NEAR(a.height, 0.4, 1e-12);
    EXPECT_NEAR(a.rotation, 90, 1e-9);
    EXPECT_EQ(e.attributeIds.size(), 1);
    EXPECT_EQ(c.idOfHandle(a.handle), e.attributeIds[0]);
}

TEST(DrawingContent, EraseAndUndoKeepIdsAndHandlesAndLoadingRepairsHandles)
{
    DrawingContent c = content();
    symbolBlock(c);
    const qint64 a = c.insertReference({0, 0, 0}, QStringLiteral("SYM"), 1, 1, 1, 0);
    const qint64 b = c.insertReference({5, 0, 0}, QStringLiteral("SYM"), 1, 1, 1, 0);
    const std::uint64_t ha = c.handleOf(a);
    EXPECT_EQ(c.erase({a, a}), QVector<qint64>{a});
    EXPECT_EQ(c.modelCount(), 1);
    EXPECT_EQ(c.modelItem(0), b);
    try {
        c.idOfHandle(ha);
        ADD_FAILURE() << "an erased handle was found";
    } catch (const CadError& e) {
        EXPECT_EQ(e.kind(), CadError::Erased);
    }
    EXPECT_THROW(c.erase({a}), CadError); // erased twice
    EXPECT_EQ(c.undo(), QVector<qint64>{a});
    EXPECT_EQ(c.idOfHandle(ha), a);
    EXPECT_EQ(c.undo(), QVector<qint64>{b}); // the insertion of b goes
    EXPECT_EQ(c.modelCount(), 1);
    c.undo();
    EXPECT_FALSE(c.canUndo());
    EXPECT_THROW(c.undo(), CadError);

    // A file with a handle used twice and an entity without one: every object
    // ends up with a handle of its own, below the next one to give.
    DxfDrawing d;
    DxfEntity line;
    line.points = {{0, 0, 0}, {1, 1, 0}};
    line.handle = 0x40;
    d.entities << line << line;
    line.handle = 0;
    d.entities << line;
    d.handseed = 0x10;
    c.load(d);
    QSet<std::uint64_t> handles;
    for (int i = 0; i < c.modelCount(); ++i)
        handles.insert(c.handleOf(c.modelItem(i)));
    EXPECT_EQ(handles.size(), 3);
    EXPECT_TRUE(handles.contains(0x40));
    EXPECT_GT(c.toDxf().handseed, *std::max_element(handles.begin(), handles.end()));
}

TEST(DrawingContent, ValuesFromOutsideAreChecked)
{
    DrawingContent c = content();
    const qint64 block = symbolBlock(c);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto rejects = [](const std::function<void()>& f, const char* what) {
        try {
            f();
            ADD_FAILURE() << what << " was accepted";
        } catch (const CadError& e) {
            EXPECT_EQ(e.kind(), CadError::InvalidArgument) << what;
            EXPECT_FALSE(e.text().isEmpty());
        }
    };
    const QString sym = QStringLiteral("SYM");
    rejects([&] { c.insertReference({nan, 0, 0}, sym, 1, 1, 1, 0); }, "NaN point");
    rejects([&] { c.insertReference({0, inf, 0}, sym, 1, 1, 1, 0); }, "infinite point");
    rejects([&] { c.insertReference({0, 0, 1e13}, sym, 1, 1, 1, 0); }, "absurd point");
    rejects([&] { c.insertReference({0, 0, 0}, sym, 0, 1, 1, 0); }, "zero scale");
    rejects([&] { c.insertReference({0, 0, 0}, sym, 1, 1e7, 1, 0); }, "absurd scale");
    rejects([&] { c.insertReference({0, 0, 0}, sym, 1, 1, nan, 0); }, "NaN scale");
    rejects([&] { c.insertReference({0, 0, 0}, sym, 1, 1, 1, inf); }, "infinite rotation");
    rejects([&] { c.addBlock({}, QStringLiteral("a/b")); }, "block name with a slash");
    rejects([&] { c.addBlock({}, QString(300, u'x')); }, "long block name");
    rejects([&] { c.addBlock({}, QStringLiteral("sym")); }, "existing block name");
    rejects([&] { c.addAttributeDefinition(block, 0.2, 0, {}, {}, QStringLiteral("A B"), {}); },
            "tag with a blank");
    rejects([&] { c.addAttributeDefinition(block, -1, 0, {}, {}, QStringLiteral("T"), {}); },
            "negative height");
    rejects([&] { c.addAttributeDefinition(block, 1, 16, {}, {}, QStringLiteral("T"), {}); }, "mode 16");
    const qint64 ref = c.insertReference({0, 0, 0}, sym, 1, 1, 1, 0);
    const qint64 attribute = c.entity(c.require(ref)).attributeIds[0];
    rejects([&] { c.setAttributeText(attribute, QStringLiteral("two\nlines")); }, "line break");
    rejects([&] { c.setAttributeText(attribute, QString(3000, u'x')); }, "long text");
    EXPECT_EQ(c.modelCount(), 1);
}

TEST(DrawingGeometry, BlocksThatContainThemselvesAreDrawnAndEnd)
{
    // A inserts B and B inserts A: a file made to hang a naive renderer.
    const QByteArray file =
        "0\nSECTION\n2\nBLOCKS\n"
        "0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n"
        "0\nINSERT\n2\nB\n10\n1\n20\n0\n0\nENDBLK\n"
        "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n0\n21\n1\n"
        "0\nINSERT\n2\nA\n10\n0\n20\n1\n0\nENDBLK\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nA\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n";
    DrawingContent c = content();
    c.load(DxfReader::read(file));
    const auto items = DrawingGeometry::build(c);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].paths.size(), 2); // A's line, B's line, then the cycle is cut
    const QRectF box = DrawingGeometry::extents(items);
    EXPECT_EQ(box, QRectF(0, 0, 1, 1));
    EXPECT_EQ(DrawingGeometry::hit(items, {0.5, 0.01}, 0.05), items[0].id);
    EXPECT_EQ(DrawingGeometry::hit(items, {5, 5}, 0.05), 0);
}

TEST(CadDocument, ADrawingWithObjectsTheHostDoesNotKeepCannotBeSavedOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.dxf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n"
            "0\nHATCH\n8\n0\n0\nENDSEC\n0\nEOF\n");
    f.close();
    qint64 next = 0;
    CadDocument doc(1, [&next] { return ++next; });
    doc.load(path, false);
    EXPECT_TRUE(doc.isReadOnly());
    EXPECT_EQ(doc.content().modelCount(), 1);
    try {
        doc.save();
        ADD_FAILURE() << "saved over a file whose hatch it would lose";
    } catch (const CadError& e) {
        EXPECT_EQ(e.kind(), CadError::FileError);
        EXPECT_TRUE(e.text().contains(u"another name")) << e.text().toStdString();
    }
    const QString copy = dir.filePath(QStringLiteral("copy.dxf"));
    doc.saveAs(copy);
    EXPECT_FALSE(doc.isReadOnly());
    doc.save();
}
