#include "BlockDrawing.h"
#include "DrawingMaker.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString Outline = QString::fromLatin1(BlockDrawing::OutlineLayer);
const QString Symbol = QString::fromLatin1(BlockDrawing::SymbolLayer);
const QString Dims = QString::fromLatin1(BlockDrawing::DimensionLayer);
} // namespace

TEST(DrawingMaker, DimensionDrawingsHaveTheRealOutlineSizeAndLabelIt)
{
    struct Case
    {
        const char* name;
        double w, h;
    } cases[] = {{"KD_NH00", 78.5, 30},    {"KD_NH3", 150, 68},      {"KD_C1038", 38, 10.3},
                 {"KD_DII", 22.5, 49},     {"KD_MOD3M", 52.5, 90},   {"KD_CH4M", 70, 81},
                 {"KD_HV292_53", 292, 53}, {"KD_NHB00_3", 117, 115}, {"KD_DB02_3", 81, 57},
                 {"KD_FSD1V", 100, 740}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = DrawingMaker::make(QString::fromLatin1(c.name));
        ASSERT_TRUE(d.has_value());
        const QRectF box = d->extents(Outline);
        EXPECT_NEAR(box.left(), 0, 1e-9);
        EXPECT_NEAR(box.top(), 0, 1e-9);
        EXPECT_NEAR(box.width(), c.w, 1e-6);
        EXPECT_NEAR(box.height(), c.h, 1e-6);
        // The two dimensions carry the measured values as their texts.
        QStringList labels;
        for (const auto& t : d->texts())
            labels << t.text;
        const auto fmt = [](double v) {
            QString s = QString::number(v, 'f', 1);
            return s.endsWith(QLatin1String(".0")) ? s.chopped(2) : s;
        };
        EXPECT_TRUE(labels.contains(fmt(c.w))) << labels.join(u' ').toStdString();
        EXPECT_TRUE(labels.contains(fmt(c.h))) << labels.join(u' ').toStdString();
        // Dimensions lie outside the outline, below and to the left.
        const QRectF dims = d->extents(Dims);
        EXPECT_LT(dims.top(), 0);
        EXPECT_LT(dims.left(), 0);
    }
}

TEST(DrawingMaker, SymbolsStartAtTheOriginAndLeaveRoomForTheAttributes)
{
    // Attributes are placed from (1, -1) downwards: the symbols stay left of x = 1
    // and their upper connection is the insertion point.
    for (const char* kind : {"FUSE", "HVFUSE", "FDISC", "FSD", "MCB", "RCD", "SPD"}) {
        for (const char* prefix : {"KS_", "KS3_"}) {
            const QString name = QString::fromLatin1(prefix) + QString::fromLatin1(kind);
            SCOPED_TRACE(name.toStdString());
            const auto d = DrawingMaker::make(name);
            ASSERT_TRUE(d.has_value());
            const QRectF box = d->extents(Symbol);
            EXPECT_NEAR(box.bottom(), 0, 1e-9); // highest y
            EXPECT_LT(box.right(), 1.0);
            EXPECT_GT(box.height(), 1.5);
            EXPECT_LT(box.height(), 2.5);
            // Every pole has its own upper connection line starting at y = 0.
            int connections = 0;
            for (const auto& l : d->lines())
                if (qFuzzyIsNull(l.a.y()) && l.a.x() == l.b.x())
                    ++connections;
            const int poles = name.startsWith(QLatin1String("KS3_"))
                                  ? (QString::fromLatin1(kind) == u"RCD" ? 4 : 3)
                                  : 1;
            EXPECT_EQ(connections, poles);
        }
    }
    EXPECT_FALSE(DrawingMaker::make(QStringLiteral("KS_UNKNOWN")).has_value());
    EXPECT_FALSE(DrawingMaker::make(QStringLiteral("KD_NH9")).has_value());
}

TEST(BlockDrawing, WritesADxfFileWithLayersUnitsAndEntities)
{
    BlockDrawing d;
    d.rect(Outline, QRectF(0, 0, 10, 5));
    d.circle(Outline, {5, 2.5}, 1);
    d.dimension({0, 0}, {10, 0}, 4, 1.5);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.dxf"));
    ASSERT_TRUE(d.writeDxf(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("AC1015"));
    EXPECT_TRUE(text.contains("$INSUNITS"));
    EXPECT_TRUE(text.contains("OUTLINE"));
    EXPECT_TRUE(text.contains("DIMENSIONS"));
    EXPECT_TRUE(text.contains("CIRCLE"));
    EXPECT_TRUE(text.trimmed().endsWith("EOF"));
    EXPECT_FALSE(d.writeDxf(dir.filePath(QStringLiteral("no/such/dir/x.dxf"))));
}
