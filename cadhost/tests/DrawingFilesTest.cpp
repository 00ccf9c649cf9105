// Drawings saved by the host as the workbench builds them (a block from a
// symbol file with four attributes, references with their values) open in
// another CAD library with the same blocks, attributes and handles; reopened,
// the handles stay and the object ids change. The saved drawings and pictures
// of the host's window stay under artifacts/.
#include "Artifacts.h"
#include "DxfCheck.h"
#include "HostProcess.h"
#include "QtPrinters.h"

#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QJsonArray>
#include <QPdfDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

const QString SampleDb = QStringLiteral(SAMPLE_DIR "/kavrel/db");

struct Placed
{
    QString path;
    qlonglong id;
    QString handle;
};

// The insertion of one product as the workbench does it: the definition from
// the drawing file (named without its extension) with the four attributes
// unless the drawing has it, then a reference whose attributes get the values.
Placed insertProduct(HostProcess& host, const QString& doc, const QString& folder, const QString& block,
                     double x, double y, double scale, const QString& item)
{
    const QString blocks = doc + QStringLiteral("/Blocks");
    bool exists = false;
    const int count = host.get(blocks, QStringLiteral("Blocks"), QStringLiteral("Count")).toInt();
    for (int i = 0; i < count; ++i)
        exists = exists
                 || host.get(host.objectPath(blocks, QStringLiteral("Blocks"), QStringLiteral("Item"), {i}),
                             QStringLiteral("Block"), QStringLiteral("Name")) == block;
    const bool symbol = folder.startsWith(u"SYM");
    if (!exists) {
        double ay = symbol ? -1 : 5000;
        const double ax = symbol ? 1 : 0, h = symbol ? 0.2 : 0.02 * 100, step = symbol ? 0.3 : 0.03 * 100;
        const QString def = host.objectPath(blocks, QStringLiteral("Blocks"), QStringLiteral("Add"),
                                            {HostProcess::point(ax, ay, 0), block});
        host.objectPath(def, QStringLiteral("Block"), QStringLiteral("InsertBlock"),
                        {HostProcess::point(ax, ay, 0), SampleDb + u'/' + folder + u'/' + block, 1.0, 1.0, 1.0, 0.0});
        for (const char* tag : {"Block", "Manufacturer", "ItemNo", "Item"}) {
            const QString t = QString::fromLatin1(tag);
            const QString a = host.objectPath(def, QStringLiteral("Block"), QStringLiteral("AddAttribute"),
                                              {h, 0, t, HostProcess::point(ax, ay, 0), t,
                                               t == u"Manufacturer" ? QStringLiteral("KAVREL") : QString()});
            host.set(a, QStringLiteral("AttributeDefinition"), QStringLiteral("InsertionPoint"),
                     HostProcess::point(ax, ay, 0));
            ay -= step;
        }
    }
    const QString ref = host.objectPath(doc + QStringLiteral("/ModelSpace"), QStringLiteral("ModelSpace"),
                                        QStringLiteral("InsertBlock"),
                                        {HostProcess::point(x, y, 0), block, scale, scale, scale, 0.0});
    for (const QString& a : HostProcess::toPaths(host.value(ref, QStringLiteral("BlockReference"),
                                                            QStringLiteral("GetAttributes")))) {
        const QString tag = host.get(a, QStringLiteral("Attribute"), QStringLiteral("TagString")).toString();
        if (tag == u"Item")
            host.set(a, QStringLiteral("Attribute"), QStringLiteral("TextString"), item);
        else if (tag == u"Block")
            host.set(a, QStringLiteral("Attribute"), QStringLiteral("TextString"), QStringLiteral("F7"));
        else if (tag == u"Manufacturer")
            host.set(a, QStringLiteral("Attribute"), QStringLiteral("Visible"), false);
    }
    return {ref, host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("ObjectID")).toLongLong(),
            host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("Handle")).toString()};
}

// LibreCAD prints the saved drawing: the symbols are drawn (it shows no
// attributes) and, with thin line weights, nowhere as dark blobs.
void checkOtherProgramDrawsIt(const QString& dxf)
{
    const QString librecad = QStandardPaths::findExecutable(QStringLiteral("librecad"));
    if (librecad.isEmpty()) {
        std::printf("librecad is not installed: the drawing is not printed with it\n");
        return;
    }
    // It names the PDF after the drawing, in the folder it is given.
    QTemporaryDir out;
    const QString pdf = out.filePath(QFileInfo(dxf).completeBaseName() + QStringLiteral(".pdf"));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(librecad, {QStringLiteral("dxf2pdf"), QStringLiteral("-a"), QStringLiteral("-k"),
                       QStringLiteral("-t"), out.path(), dxf});
    ASSERT_TRUE(p.waitForFinished(60000));
    QPdfDocument document;
    ASSERT_EQ(document.load(pdf), QPdfDocument::Error::None) << p.readAll().toStdString();
    const QSizeF points = document.pagePointSize(0);
    // The page comes transparent where nothing is printed: put it on paper.
    const QImage ink = document.render(0, (points * 100 / 72).toSize());
    ASSERT_FALSE(ink.isNull());
    QImage page(ink.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, ink);
    Artifacts::save(page, QStringLiteral("cadhost-symbols-librecad"));
    qsizetype dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
    EXPECT_LT(dark, page.width() * page.height() / 50);
}

} // namespace

TEST(CadHostDrawings, SavedDrawingsKeepBlocksAttributesAndHandlesWhileIdsChange)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString file = Artifacts::directory() + QStringLiteral("/cadhost-schematic.dxf");
    QFile::remove(file);
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    const Placed a = insertProduct(host, doc, QStringLiteral("SYM"), QStringLiteral("KS_FUSE"), 0, 0, 1,
                                   QStringLiteral("Varovalčni vložek NH00 100 A"));
    const Placed b = insertProduct(host, doc, QStringLiteral("SYM"), QStringLiteral("KS_FUSE"), 3, 0, 1,
                                   QStringLiteral("gG 63 A"));
    const Placed c = insertProduct(host, doc, QStringLiteral("SYM3"), QStringLiteral("KS3_FSD"), 8, 0, 1,
                                   QStringLiteral("Fuse switch"));
    // The second fuse goes before the save: its handle must not come back.
    ASSERT_EQ(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Erase"), {b.handle})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(host.call(doc, QStringLiteral("Document"), QStringLiteral("SaveAs"), {file}).type(),
              QDBusMessage::ReplyMessage);

    const QJsonObject o = DxfCheck::read(file);
    ASSERT_FALSE(o.contains(QStringLiteral("error"))) << o.value("error").toString().toStdString();
    EXPECT_EQ(o.value(QStringLiteral("audit_errors")).toArray(), QJsonArray());
    EXPECT_EQ(o.value(QStringLiteral("audit_fixes")).toArray(), QJsonArray());
    EXPECT_EQ(o.value(QStringLiteral("dangling_owners")).toArray(), QJsonArray());
    EXPECT_TRUE(o.value(QStringLiteral("handseed_above_handles")).toBool());
    const QJsonObject blocks = o.value(QStringLiteral("blocks")).toObject();
    EXPECT_EQ(blocks.keys(), (QStringList{"KS3_FSD", "KS_FUSE"}));
    QStringList tags;
    for (const QJsonValue& e : blocks.value(u"KS_FUSE").toObject().value(u"entities").toArray())
        if (e.toObject().value(u"type").toString() == u"ATTDEF")
            tags << e.toObject().value(u"tag").toString();
    EXPECT_EQ(tags, (QStringList{"Block", "Manufacturer", "ItemNo", "Item"}));
    EXPECT_EQ(blocks.value(u"KS_FUSE").toObject().value(u"flags").toInt(), 2);

    EXPECT_EQ(o.value(QStringLiteral("modelspace")).toArray().size(), 2);
    EXPECT_TRUE(DxfCheck::byHandle(o, b.handle).isEmpty());
    const QJsonObject fuse = DxfCheck::byHandle(o, a.handle);
    EXPECT_EQ(fuse.value(u"name").toString(), u"KS_FUSE");
    QHash<QString, QJsonObject> attribs;
    for (const QJsonValue& v : fuse.value(u"attribs").toArray())
        attribs.insert(v.toObject().value(u"tag").toString(), v.toObject());
    EXPECT_EQ(attribs.value(u"Item"_qs).value(u"text").toString(), u"Varovalčni vložek NH00 100 A");
    EXPECT_EQ(attribs.value(u"Block"_qs).value(u"text").toString(), u"F7");
    EXPECT_EQ(attribs.value(u"Manufacturer"_qs).value(u"flags").toInt(), 1); // invisible

    // Reopened: the same handles, new object ids.
    ASSERT_EQ(host.call(doc, QStringLiteral("Document"), QStringLiteral("Close"), {false}).type(),
              QDBusMessage::ReplyMessage);
    const QString again = host.objectPath(QStringLiteral("/Application/Documents"), QStringLiteral("Documents"),
                                          QStringLiteral("Open"), {file, false});
    EXPECT_NE(again, doc);
    for (const Placed& p : {a, c}) {
        const QString ref = host.objectPath(again, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {p.handle});
        EXPECT_EQ(host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("Handle")).toString(), p.handle);
        EXPECT_NE(host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("ObjectID")).toLongLong(), p.id);
    }
    EXPECT_EQ(host.call(again, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {b.handle}).errorName(),
              u"org.kavrel.CadHost.Error.NotFound");
}

TEST(CadHostDrawings, SymbolsAndDimensionDrawingsOfTheSampleInTheHostWindow)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    int i = 0;
    for (const char* kind : {"KS_FUSE", "KS_FDISC", "KS_FSD", "KS_MCB", "KS3_RCD", "KS3_SPD"}) {
        const QString name = QString::fromLatin1(kind);
        insertProduct(host, doc, name.startsWith(u"KS3") ? QStringLiteral("SYM3") : QStringLiteral("SYM"), name, 5.0 * i, 0, 1,
                      QStringLiteral("Item %1").arg(i + 1));
        ++i;
    }
    host.value(QStringLiteral("/Application"), QStringLiteral("Application"), QStringLiteral("ZoomExtents"));
    const QString symbols = Artifacts::directory() + QStringLiteral("/cadhost-window-symbols.png");
    host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Screenshot"), {symbols});
    const QString saved = Artifacts::directory() + QStringLiteral("/cadhost-symbols.dxf");
    host.value(doc, QStringLiteral("Document"), QStringLiteral("SaveAs"), {saved});
    checkOtherProgramDrawsIt(saved);

    const QString layout = host.objectPath(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("NewDocument"));
    i = 0;
    for (const char* kind : {"KD_NH00", "KD_NHB00_3", "KD_FSD00H", "KD_MOD3M"}) {
        insertProduct(host, layout, QStringLiteral("DIM"), QString::fromLatin1(kind), 300.0 * i, 0, 1,
                      QStringLiteral("Item %1").arg(i + 1));
        ++i;
    }
    host.value(QStringLiteral("/Application"), QStringLiteral("Application"), QStringLiteral("ZoomExtents"));
    const QString dimensions = Artifacts::directory() + QStringLiteral("/cadhost-window-dimensions.png");
    host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Screenshot"), {dimensions});

    // Something was drawn: the canvas is not one colour.
    for (const QString& png : {symbols, dimensions}) {
        const QImage image(png);
        ASSERT_FALSE(image.isNull()) << png.toStdString();
        QSet<QRgb> colours;
        for (int y = 60; y < image.height() - 40; y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 3) << png.toStdString();
    }
}
