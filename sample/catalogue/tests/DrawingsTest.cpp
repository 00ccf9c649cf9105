// The block drawings of the installation open in another CAD library (ezdxf)
// without audit errors, sit where the attribute rows name them, and have the
// real outline sizes.
#include "Artifacts.h"
#include "DrawingMaker.h"
#include "SampleCatalogue.h"
#include "WinPath.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString Db = QStringLiteral(SAMPLE_DIR "/kavrel/db");

QHash<QString, QJsonObject> checkAll(const QStringList& files)
{
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3), QStringList{QStringLiteral(DXF_CHECK_SCRIPT)} + files);
    QHash<QString, QJsonObject> out;
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        ADD_FAILURE() << "dxf check failed: " << p.readAllStandardError().toStdString();
        return out;
    }
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        out.insert(QFileInfo(o.value(QStringLiteral("file")).toString()).completeBaseName(), o);
    }
    return out;
}

QRectF extents(const QJsonObject& o, const char* layer)
{
    const QJsonArray a =
        o.value(QStringLiteral("extents")).toObject().value(QLatin1String(layer)).toArray();
    if (a.size() != 4)
        return {};
    return QRectF(QPointF(a[0].toDouble(), a[1].toDouble()),
                  QPointF(a[2].toDouble(), a[3].toDouble()));
}

void draw(QPainter& p, const BlockDrawing& d, const QRectF& cell)
{
    const QRectF box = d.extents().adjusted(-1e-3, -1e-3, 1e-3, 1e-3);
    const double s =
        std::min((cell.width() - 10) / box.width(), (cell.height() - 10) / box.height());
    const auto map = [&](QPointF q) {
        return QPointF(cell.left() + 5 + (q.x() - box.left()) * s,
                       cell.bottom() - 5 - (q.y() - box.top()) * s);
    };
    for (const auto& l : d.lines()) {
        p.setPen(l.layer == QLatin1String(BlockDrawing::DimensionLayer) ? Qt::darkGreen
                                                                        : Qt::black);
        p.drawLine(map(l.a), map(l.b));
    }
}

} // namespace

TEST(SampleDrawings, EveryNamedDrawingOpensInAnotherCadLibraryAtItsSize)
{
    const SampleCatalogue cat = SampleCatalogue::load(QStringLiteral(FIXTURE_DIR));
    const QList<std::pair<int, QString>> kinds = {
        {11, QStringLiteral("DIM")}, {12, QStringLiteral("SYM")}, {13, QStringLiteral("SYM3")}};
    QStringList files;
    QHash<QString, QString> folderOf;
    for (const auto& [sort, folder] : kinds) {
        const auto names = cat.drawings(sort);
        EXPECT_FALSE(names.isEmpty());
        for (auto it = names.begin(); it != names.end(); ++it) {
            // As the workbench builds the path: database dir + folder + block name.
            const QString win = Db + u'\\' + folder + u'\\' + it.key() + QStringLiteral(".dxf");
            ASSERT_TRUE(WinPath::exists(win)) << win.toStdString();
            files << WinPath::toNative(win);
            folderOf[it.key()] = folder;
        }
    }
    const auto results = checkAll(files);
    ASSERT_EQ(results.size(), files.size());
    QImage sheet(1200, 900, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int n = 0;
    for (auto it = results.begin(); it != results.end(); ++it) {
        const QString name = it.key();
        const QJsonObject& o = *it;
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(o.contains(QStringLiteral("error")))
            << o.value("error").toString().toStdString();
        EXPECT_EQ(o.value(QStringLiteral("version")).toString(), u"AC1015");
        EXPECT_EQ(o.value(QStringLiteral("audit_errors")).toInt(), 0);
        EXPECT_EQ(o.value(QStringLiteral("audit_fixes")).toInt(), 0);
        // Thin lines in a colour that shows on dark canvases too: a program that
        // draws line weights in drawing units would make a blob of a wide line.
        const QJsonObject styles = o.value(QStringLiteral("layer_styles")).toObject();
        for (auto l = styles.begin(); l != styles.end(); ++l) {
            const QJsonArray colourWeight = l.value().toArray();
            EXPECT_NE(colourWeight[0].toInt(), 250) << l.key().toStdString();
            EXPECT_LE(colourWeight[1].toInt(), 25) << l.key().toStdString();
        }
        EXPECT_EQ(styles.value(QLatin1String(folderOf[name] == u"DIM" ? BlockDrawing::OutlineLayer
                                                                      : BlockDrawing::SymbolLayer))
                      .toArray()
                      .at(0)
                      .toInt(),
                  7);
        // Entities take their layer's colour and line weight.
        EXPECT_EQ(o.value(QStringLiteral("entity_styles")).toArray(), QJsonArray{QStringLiteral("256 -1")});
        if (folderOf[name] == u"DIM") {
            EXPECT_EQ(o.value(QStringLiteral("units")).toInt(), 4); // millimetres
            const auto size = DrawingMaker::outlineSize(name);
            ASSERT_TRUE(size.has_value());
            const QRectF box = extents(o, BlockDrawing::OutlineLayer);
            EXPECT_NEAR(box.width(), size->width(), 0.01);
            EXPECT_NEAR(box.height(), size->height(), 0.01);
            EXPECT_EQ(o.value(QStringLiteral("texts")).toArray().size(), 2);
        } else {
            EXPECT_EQ(o.value(QStringLiteral("units")).toInt(), 0);
            const QRectF box = extents(o, BlockDrawing::SymbolLayer);
            EXPECT_NEAR(box.bottom(), 0.0, 1e-6); // top connection at the insertion point
            EXPECT_LT(box.right(), 1.0);          // clear of the attributes at x = 1
        }
        if (n < 48)
            draw(p, *DrawingMaker::make(name), QRectF((n % 8) * 150, (n / 8) * 150, 150, 150));
        ++n;
    }
    p.end();
    Artifacts::save(sheet, QStringLiteral("sample-catalogue-drawings"));

    // The reference size: an NH00 fuse link is about 79 x 30 mm.
    const QRectF nh00 =
        extents(results.value(QStringLiteral("KD_NH00")), BlockDrawing::OutlineLayer);
    EXPECT_NEAR(nh00.width(), 79, 1);
    EXPECT_NEAR(nh00.height(), 30, 1);
}

TEST(SampleDrawings, SymbolsForASheet)
{
    QImage sheet(7 * 160, 2 * 200, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int i = 0;
    for (const char* kind : {"FUSE", "HVFUSE", "FDISC", "FSD", "MCB", "RCD", "SPD"}) {
        for (int row = 0; row < 2; ++row) {
            const auto d = DrawingMaker::make(QString::fromLatin1(row ? "KS3_" : "KS_") +
                                              QString::fromLatin1(kind));
            ASSERT_TRUE(d.has_value());
            draw(p, *d, QRectF(i * 160, row * 200, 160, 200));
        }
        ++i;
    }
    p.end();
    Artifacts::save(sheet, QStringLiteral("sample-catalogue-symbols"));
}
