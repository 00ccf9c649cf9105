// Drawings written here open in another CAD library without repairs and with
// their structure; the reader gets back what was written and turns malformed
// files into errors.
#include "Artifacts.h"
#include "DxfCheck.h"
#include "DxfError.h"
#include "DxfReader.h"
#include "DxfWriter.h"
#include "QtPrinters.h"

#include <QDir>
#include <QJsonArray>
#include <gtest/gtest.h>

namespace {

DxfEntity line(double x1, double y1, double x2, double y2, std::uint64_t handle = 0)
{
    DxfEntity e;
    e.kind = DxfEntityKind::Line;
    e.layer = QStringLiteral("SYMBOL");
    e.points = {{x1, y1, 0}, {x2, y2, 0}};
    e.handle = handle;
    return e;
}

// A symbol block with geometry of every kind and two attribute definitions, and
// two references to it with their attributes, some handles given, some not.
DxfDrawing attributedDrawing()
{
    DxfDrawing d;
    d.layers = {DxfLayer{QStringLiteral("SYMBOL"), 7, -3}};
    DxfBlock b{QStringLiteral("KS_FUSE"), {0, 0, 0}, 0x50, {}};
    b.entities << line(0, 0, 0, -2, 0x51);
    DxfEntity arc;
    arc.kind = DxfEntityKind::Arc;
    arc.points = {{0, -1, 0}};
    arc.radius = 0.5;
    arc.startAngle = 10;
    arc.endAngle = 170;
    DxfEntity circle = arc;
    circle.kind = DxfEntityKind::Circle;
    DxfEntity poly;
    poly.kind = DxfEntityKind::Polyline;
    poly.points = {{-0.15, -1.5, 0}, {0.15, -1.5, 0}, {0.15, -0.5, 0}, {-0.15, -0.5, 0}};
    poly.closed = true;
    DxfEntity text;
    text.kind = DxfEntityKind::Text;
    text.points = {{0, -2.5, 0}};
    text.text = QStringLiteral("100 A");
    text.height = 0.2;
    text.hAlign = 1;
    text.alignPoint = {0, -2.5, 0};
    b.entities << arc << circle << poly << text;
    for (const char* tag : {"Block", "Item"}) {
        DxfEntity def;
        def.kind = DxfEntityKind::AttributeDefinition;
        def.points = {{1, -1, 0}};
        def.height = 0.2;
        def.tag = def.prompt = QString::fromLatin1(tag);
        def.text = QStringLiteral("F1");
        def.flags = tag[0] == 'I' ? 1 : 0;
        b.entities << def;
    }
    d.blocks << b;
    for (int i = 0; i < 2; ++i) {
        DxfEntity ref;
        ref.kind = DxfEntityKind::Insert;
        ref.blockName = b.name;
        ref.points = {{5.0 + i * 3, 5, 0}};
        ref.handle = i == 0 ? 0x2A0 : 0; // the second gets one when written
        ref.rotation = 90 * i;
        ref.attributes << DxfAttribute{0x2A1, QStringLiteral("0"), QStringLiteral("Block"),
                                       QStringLiteral("F%1").arg(i + 1), {6, 4, 0}, 0.2, 0, 0};
        ref.attributes << DxfAttribute{0, QStringLiteral("0"), QStringLiteral("Item"),
                                       QStringLiteral("Varovalka Č 100 A"), {6, 3.7, 0}, 0.2, 0, 1};
        if (i == 1)
            ref.attributes[0].handle = 0;
        d.entities << ref;
    }
    return d;
}

} // namespace

TEST(DxfWriter, AttributedBlocksOpenCleanInAnotherCadLibrary)
{
    const QString path = Artifacts::directory() + QStringLiteral("/cadhost-dxf-attributed.dxf");
    DxfWriter::writeFile(attributedDrawing(), path);
    const QJsonObject o = DxfCheck::read(path);
    ASSERT_FALSE(o.contains(QStringLiteral("error"))) << o.value("error").toString().toStdString();
    EXPECT_EQ(o.value(QStringLiteral("version")).toString(), u"AC1015");
    EXPECT_EQ(o.value(QStringLiteral("audit_errors")).toArray().size(), 0);
    EXPECT_EQ(o.value(QStringLiteral("audit_fixes")).toArray(), QJsonArray());
    EXPECT_EQ(o.value(QStringLiteral("dangling_owners")).toArray(), QJsonArray());
    EXPECT_TRUE(o.value(QStringLiteral("handseed_above_handles")).toBool());
    EXPECT_EQ(o.value(QStringLiteral("unclosed_attribute_lists")).toInt(), 0);

    const QJsonObject block = o.value(QStringLiteral("blocks")).toObject().value(u"KS_FUSE").toObject();
    EXPECT_EQ(block.value(QStringLiteral("flags")).toInt(), 2); // has attribute definitions
    QStringList types;
    for (const QJsonValue& e : block.value(QStringLiteral("entities")).toArray())
        types << e.toObject().value(QStringLiteral("type")).toString();
    EXPECT_EQ(types, (QStringList{"LINE", "ARC", "CIRCLE", "LWPOLYLINE", "TEXT", "ATTDEF", "ATTDEF"}));

    const QJsonArray model = o.value(QStringLiteral("modelspace")).toArray();
    ASSERT_EQ(model.size(), 2);
    const QJsonObject first = DxfCheck::byHandle(o, QStringLiteral("2A0"));
    EXPECT_EQ(first.value(QStringLiteral("attribs_follow")).toInt(), 1);
    const QJsonArray attribs = first.value(QStringLiteral("attribs")).toArray();
    ASSERT_EQ(attribs.size(), 2);
    EXPECT_EQ(attribs[0].toObject().value(QStringLiteral("handle")).toString(), u"2A1");
    EXPECT_EQ(attribs[1].toObject().value(QStringLiteral("flags")).toInt(), 1); // invisible
    // Central European letters come back as they were.
    EXPECT_EQ(attribs[1].toObject().value(QStringLiteral("text")).toString(), u"Varovalka Č 100 A");
    // The second reference and its attributes got handles of their own.
    const QJsonObject second = model[1].toObject();
    EXPECT_FALSE(second.value(QStringLiteral("handle")).toString().isEmpty());
    EXPECT_NE(second.value(QStringLiteral("attribs")).toArray()[0].toObject().value(QStringLiteral("handle")),
              second.value(QStringLiteral("attribs")).toArray()[1].toObject().value(QStringLiteral("handle")));
}

TEST(DxfReader, ReadsBackWhatWasWrittenWithHandlesAndTexts)
{
    DxfDrawing d = attributedDrawing();
    d.entities[0].attributes[1].text = QStringLiteral("A€ 日本\nnext line");
    const DxfDrawing r = DxfReader::read(DxfWriter::write(d));
    ASSERT_EQ(r.blocks.size(), 1);
    EXPECT_EQ(r.blocks[0].name, u"KS_FUSE");
    EXPECT_EQ(r.blocks[0].handle, 0x50u);
    EXPECT_EQ(r.blocks[0].entities.size(), 7);
    EXPECT_EQ(r.blocks[0].entities[3].points.size(), 4);
    EXPECT_TRUE(r.blocks[0].entities[3].closed);
    EXPECT_EQ(r.blocks[0].entities[6].tag, u"Item");
    EXPECT_EQ(r.blocks[0].entities[6].flags, 1);
    ASSERT_EQ(r.entities.size(), 2);
    EXPECT_EQ(r.entities[0].handle, 0x2A0u);
    EXPECT_EQ(r.entities[0].attributes[0].handle, 0x2A1u);
    EXPECT_NE(r.entities[1].handle, 0u);
    EXPECT_DOUBLE_EQ(r.entities[1].rotation, 90);
    // A line break cannot live in a DXF value: it became a blank, not a new group.
    EXPECT_EQ(r.entities[0].attributes[1].text, u"A€ 日本 next line");
    EXPECT_GT(r.handseed, r.highestHandle());
}

TEST(DxfReader, MalformedFilesAreErrorsAndOtherProgramsFilesAreRead)
{
    const QList<QByteArray> broken = {
        QByteArray(),
        QByteArray("hello\nworld\n"),
        QByteArray("Binary DXF\r\n\x1a\x00\x00\x00", 16),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnan\n20\n0\n0\nENDSEC\n0\nEOF\n"),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n10\n1e400\n40\n1\n0\nENDSEC\n"),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n2000000000\n20\n1\n0\nENDSEC\n"),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n10"),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nINSERT\n10\n1\n0\nENDSEC\n"),
        QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\nxyz\n1\n0\nENDSEC\n"),
    };
    for (const QByteArray& data : broken)
        EXPECT_THROW(DxfReader::read(data), DxfError) << data.left(60).toStdString();

    // A file of an old release: no handles, POLYLINE with VERTEX records, a
    // dimension drawn by its anonymous block, multi-line text.
    const QByteArray old =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n"
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\n*D1\n70\n1\n10\n0\n20\n0\n30\n0\n"
        "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n0\n0\nTEXT\n8\n0\n10\n5\n20\n1\n40\n2\n1\n%%c10\n"
        "0\nENDBLK\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n8\nA\n66\n1\n70\n1\n"
        "0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n1\n20\n0\n0\nVERTEX\n10\n1\n20\n1\n0\nSEQEND\n"
        "0\nDIMENSION\n8\nDIMS\n2\n*D1\n"
        "0\nMTEXT\n10\n0\n20\n5\n40\n1\n3\n{\\fArial;First}\n1\n\\Psecond\n"
        "0\nLINE\n67\n1\n10\n0\n20\n0\n11\n1\n21\n1\n"
        "0\nENDSEC\n0\nEOF\n";
    const DxfDrawing r = DxfReader::read(old);
    EXPECT_TRUE(r.blocks.isEmpty()); // the dimension block lives on in its lines
    ASSERT_EQ(r.entities.size(), 4);  // paper space left out
    EXPECT_EQ(r.entities[0].kind, DxfEntityKind::Polyline);
    EXPECT_EQ(r.entities[0].points.size(), 3);
    EXPECT_TRUE(r.entities[0].closed);
    EXPECT_EQ(r.entities[1].kind, DxfEntityKind::Line);
    EXPECT_EQ(r.entities[1].layer, u"DIMS");
    EXPECT_EQ(r.entities[2].kind, DxfEntityKind::Text);
    EXPECT_EQ(r.entities[3].text, u"First second");
    EXPECT_EQ(r.entities[0].handle, 0u); // to be given by the drawing that takes them
    EXPECT_EQ(r.skippedEntities, 1);      // the paper space line, which a save would lose
}
