// Checks the curated sample database as written on disk: its layout, its
// names and codes, and that its curves are physically plausible.
#include "FuseDbSample.h"
#include "FuseDbFiles.h"

#include "Artifacts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Points = std::vector<FuseDbFiles::Point>;

const QString kTimeCurrent = QStringLiteral("Time-Current");
const QString kCutOff = QStringLiteral("Cut-Off Current");
const QString kPreArcing = QStringLiteral("Pre-Arcing I2t");
const QString kPower = QStringLiteral("Power Dissipation");

const FuseDbFiles& sample()
{
    static const FuseDbFiles db = FuseDbFiles::read(QStringLiteral(FIXTURE_DIR));
    return db;
}

// Rating as the selection dialog reads it from the end of a name.
std::optional<double> ratingOf(QString name)
{
    name.chop(2);
    name = name.mid(name.lastIndexOf(QLatin1Char(' ')) + 1);
    name.replace(name.indexOf(QLatin1Char(',')), name.contains(QLatin1Char(',')) ? 1 : 0,
                 QStringLiteral("."));
    bool ok = false;
    const double v = name.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// The current at which a falling time-current polyline reaches `seconds`,
// interpolated in log-log as the chart does; none when it never does.
std::optional<double> currentAt(const Points& p, double seconds)
{
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        const double t0 = p[i].y, t1 = p[i + 1].y;
        if ((t0 - seconds) * (t1 - seconds) > 0)
            continue;
        const double f = (std::log10(seconds) - std::log10(t0)) / (std::log10(t1) - std::log10(t0));
        return std::pow(10.0,
                        std::log10(p[i].x) + f * (std::log10(p[i + 1].x) - std::log10(p[i].x)));
    }
    return std::nullopt;
}

// The pre-arcing time at a current; none below the start of the curve.
std::optional<double> timeAt(const Points& p, double current)
{
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        const double i0 = p[i].x, i1 = p[i + 1].x;
        if ((i0 - current) * (i1 - current) > 0)
            continue;
        const double f = (std::log10(current) - std::log10(i0)) / (std::log10(i1) - std::log10(i0));
        return std::pow(10.0,
                        std::log10(p[i].y) + f * (std::log10(p[i + 1].y) - std::log10(p[i].y)));
    }
    return std::nullopt;
}

struct LinkName
{
    QString size, category;
    double rating;
};

std::optional<LinkName> parseName(const QString& name)
{
    static const QRegularExpression re(
        QStringLiteral("^(NH000|NH00|NH1|NH2|NH3|D II|D III|D01|D02|10x38) (gG|aM|gR) "
                       "([0-9]+(?:,[0-9])?) A$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    QString rating = m.captured(3);
    rating.replace(QLatin1Char(','), QLatin1Char('.'));
    return LinkName{m.captured(1), m.captured(2), rating.toDouble()};
}

double conventionalTime(double in)
{
    return in <= 63 ? 3600 : in <= 160 ? 7200 : in <= 400 ? 10800 : 14400;
}

std::vector<const FuseDbFiles::Characteristic*> curvesOf(const QString& type)
{
    std::vector<const FuseDbFiles::Characteristic*> out;
    for (const auto& c : sample().characteristics) {
        if (c.type == type)
            out.push_back(&c);
    }
    return out;
}

} // namespace

TEST(FuseSampleFiles, AreCompleteAndReadCleanly)
{
    const FuseDbFiles& db = sample();
    EXPECT_TRUE(db.error.isEmpty()) << db.error.toStdString();
    for (const char* table : {"var_grup", "vars", "tip_kar", "karakt", "tocka"}) {
        EXPECT_TRUE(db.tableList.contains(QString::fromLatin1(table))) << table;
        for (const char* ext : {".des", ".rec"}) {
            EXPECT_TRUE(QFile::exists(QStringLiteral(FIXTURE_DIR "/") + QString::fromLatin1(table) +
                                      QString::fromLatin1(ext)))
                << table << ext;
        }
    }
    EXPECT_GT(db.fuses.size(), 100u);
    // Every record file ends with its terminator: no half record is lost.
    for (const char* rec : {"var_grup.rec", "vars.rec", "tip_kar.rec", "karakt.rec", "tocka.rec"}) {
        QFile file(QStringLiteral(FIXTURE_DIR "/") + QString::fromLatin1(rec));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().trimmed().endsWith('@')) << rec;
    }
}

TEST(FuseSampleFiles, CommittedFilesEqualWhatTheGeneratorWritesNow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(writeSampleFuseDatabase(dir.path() + QStringLiteral("/fuse"), &error))
        << error.toStdString();
    const QStringList files = QDir(dir.path() + QStringLiteral("/fuse")).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 11);
    qint64 total = 0;
    for (const QString& name : files) {
        QFile written(dir.path() + QStringLiteral("/fuse/") + name);
        QFile committed(QStringLiteral(FIXTURE_DIR "/") + name);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly))
            << name.toStdString() << " is not committed; run the target fusedb-sample-update";
        EXPECT_TRUE(written.readAll() == committed.readAll())
            << name.toStdString() << " differs; run the target fusedb-sample-update";
        total += committed.size();
    }
    EXPECT_LT(total, 400 * 1024) << "the sample should stay small";
}

TEST(FuseSampleTypes, HaveTheirNamesUnitsAndScales)
{
    const FuseDbFiles& db = sample();
    const auto* tc = db.type(kTimeCurrent);
    const auto* cut = db.type(kCutOff);
    const auto* i2t = db.type(kPreArcing);
    const auto* power = db.type(kPower);
    ASSERT_TRUE(tc && cut && i2t && power);
    EXPECT_TRUE(tc->logX && tc->logY);
    EXPECT_EQ(tc->unitX, QStringLiteral("A"));
    EXPECT_EQ(tc->unitY, QStringLiteral("s"));
    EXPECT_TRUE(cut->logX && cut->logY);
    EXPECT_EQ(cut->unitX, QStringLiteral("kA"));
    EXPECT_EQ(cut->unitY, QStringLiteral("kA"));
    EXPECT_TRUE(i2t->logX && i2t->logY);
    EXPECT_EQ(i2t->unitY, QStringLiteral("A2s"));
    EXPECT_FALSE(power->logX || power->logY);
    EXPECT_EQ(power->unitY, QStringLiteral("W"));
    // Positions cover the curves: the log axes must start above zero.
    for (const auto& t : db.types) {
        EXPECT_LT(t.startX, t.endX);
        EXPECT_LT(t.startY, t.endY);
        if (t.logX) {
            EXPECT_GT(t.startX, 0);
        }
        if (t.logY) {
            EXPECT_GT(t.startY, 0);
        }
    }
}

TEST(FuseSampleGroups, RunThreeLevelsDeepAndLinkUp)
{
    const FuseDbFiles& db = sample();
    int perLevel[4] = {};
    for (const auto& g : db.groups) {
        ASSERT_GE(g.level, 1);
        ASSERT_LE(g.level, 3);
        ++perLevel[g.level];
        if (g.level == 1) {
            EXPECT_TRUE(g.parent.isEmpty());
            continue;
        }
        const auto* parent = db.group(g.parent);
        ASSERT_TRUE(parent) << g.name.toStdString();
        EXPECT_EQ(parent->level, g.level - 1) << g.name.toStdString();
    }
    EXPECT_EQ(perLevel[1], 4); // NH, D, D0, cylindrical
    EXPECT_GE(perLevel[2], 8);
    EXPECT_GE(perLevel[3], 15);
    // Group names are unique, so a fuse's group is never ambiguous.
    for (size_t i = 0; i < db.groups.size(); ++i)
        for (size_t j = i + 1; j < db.groups.size(); ++j)
            EXPECT_NE(db.groups[i].name, db.groups[j].name);
}

TEST(FuseSampleGroups, HoldTheDeliberateIrregularities)
{
    const FuseDbFiles& db = sample();
    // A fuse whose group does not exist.
    const auto* orphan = db.fuse(QStringLiteral("NH00 gG 35 A"));
    ASSERT_TRUE(orphan);
    EXPECT_EQ(db.group(orphan->group), nullptr);
    int orphans = 0;
    for (const auto& f : db.fuses)
        orphans += db.group(f.group) ? 0 : 1;
    EXPECT_EQ(orphans, 1);

    // A group that holds fuses and subgroups.
    bool fusesThere = false, subgroupsThere = false;
    for (const auto& f : db.fuses)
        fusesThere = fusesThere || f.group == QStringLiteral("NH gR");
    for (const auto& g : db.groups)
        subgroupsThere = subgroupsThere || g.parent == QStringLiteral("NH gR");
    EXPECT_TRUE(fusesThere && subgroupsThere);

    // A characteristic with one point.
    const auto* single = db.characteristic(QStringLiteral("D01 gG 2 A"), kPower);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->points.size(), 1u);
    EXPECT_NEAR(single->points[0].x, 2.0, 1e-3);
}

TEST(FuseSampleNames, CarryRatingAndCatalogueNumber)
{
    const char* sizes[] = {"NH000", "NH00",  "NH1", "NH2", "NH3",
                           "D II",  "D III", "D01", "D02", "10x38"};
    for (const auto& f : sample().fuses) {
        const std::string name = f.name.toStdString();
        const auto link = parseName(f.name);
        ASSERT_TRUE(link) << name;
        const auto rating = ratingOf(f.name);
        ASSERT_TRUE(rating) << name;
        EXPECT_DOUBLE_EQ(*rating, link->rating) << name;

        int size = 0;
        while (QString::fromLatin1(sizes[size]) != link->size)
            ++size;
        const int category = link->category == QStringLiteral("gG")   ? 1
                             : link->category == QStringLiteral("aM") ? 2
                                                                      : 3;
        const QString code = QStringLiteral("1%1%2%3").arg(category).arg(size).arg(
            int(std::lround(link->rating * 10)), 4, 10, QLatin1Char('0'));
        EXPECT_EQ(f.code, code) << name;
        EXPECT_TRUE(f.group.contains(link->category) ||
                    f.group.contains(QStringLiteral("withdrawn")))
            << name;
    }
    EXPECT_TRUE(sample().fuse(QStringLiteral("NH00 gG 63 A")));
    EXPECT_EQ(sample().fuse(QStringLiteral("NH00 gG 63 A"))->code, QStringLiteral("1110630"));
    EXPECT_TRUE(sample().fuse(QStringLiteral("NH00 gG 6,3 A")));
    EXPECT_EQ(sample().fuse(QStringLiteral("NH00 gG 6,3 A"))->code, QStringLiteral("1110063"));
    EXPECT_EQ(sample().fuse(QStringLiteral("10x38 gG 0,5 A"))->code, QStringLiteral("1190005"));
}

TEST(FuseSampleCurves, EveryFuseHasTheFourMainTypes)
{
    for (const auto& f : sample().fuses) {
        for (const QString& type : {kTimeCurrent, kCutOff, kPreArcing, kPower})
            EXPECT_TRUE(sample().characteristic(f.name, type))
                << f.name.toStdString() << " lacks " << type.toStdString();
    }
}

TEST(FuseSampleCurves, TimeCurrentFallsMonotonicallyExceptTheTurningBackOne)
{
    int turning = 0;
    for (const auto* c : curvesOf(kTimeCurrent)) {
        ASSERT_GE(c->points.size(), 10u) << c->fuse.toStdString();
        bool currentRises = true;
        for (size_t i = 1; i < c->points.size(); ++i) {
            EXPECT_LT(c->points[i].y, c->points[i - 1].y)
                << c->fuse.toStdString() << " point " << i;
            currentRises = currentRises && c->points[i].x > c->points[i - 1].x;
        }
        if (!currentRises) {
            ++turning;
            EXPECT_EQ(c->fuse, QStringLiteral("NH1 gR 250 A"));
        }
        // From overload times down to a few milliseconds.
        EXPECT_GE(c->points.front().y, 100.0) << c->fuse.toStdString();
        EXPECT_LE(c->points.back().y, 0.005) << c->fuse.toStdString();
    }
    EXPECT_EQ(turning, 1);
}

TEST(FuseSampleCurves, TurningBackCurveCrossesOneCurrentTwice)
{
    const auto* c = sample().characteristic(QStringLiteral("NH1 gR 250 A"), kTimeCurrent);
    ASSERT_TRUE(c);
    const Points& p = c->points;
    size_t back = 1;
    while (back < p.size() && p[back].x > p[back - 1].x)
        ++back;
    ASSERT_LT(back, p.size());
    // A current just below the turning point is met before and after it.
    const double current = 0.5 * (p[back - 1].x + p[back].x);
    int crossings = 0;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        crossings += (p[i].x - current) * (p[i + 1].x - current) < 0 ? 1 : 0;
    EXPECT_GE(crossings, 2);
}

// Gates of gG fuse links {In, Imin at 10 s, Imax at 5 s, Imin at 0.1 s, Imax at 0.1 s}.
struct Gate
{
    double in, min10, max5, min01, max01;
};
constexpr Gate kGates[] = {
    {16, 33, 65, 85, 150},          {20, 42, 85, 110, 200},         {25, 52, 110, 150, 260},
    {32, 75, 150, 200, 350},        {40, 95, 190, 260, 450},        {50, 125, 250, 350, 610},
    {63, 160, 320, 450, 820},       {80, 215, 425, 610, 1100},      {100, 290, 580, 820, 1450},
    {125, 355, 715, 1100, 1910},    {160, 460, 950, 1450, 2590},    {200, 610, 1250, 1910, 3420},
    {250, 750, 1650, 2590, 4500},   {315, 1050, 2200, 3420, 6000},  {400, 1420, 2840, 4500, 8060},
    {500, 1780, 3800, 6000, 10600}, {630, 2200, 5100, 8060, 14140},
};

TEST(FuseSampleCurves, GGLinksPassInsideEveryGate)
{
    int checked = 0;
    for (const auto& f : sample().fuses) {
        const auto link = parseName(f.name);
        if (!link || link->category != QStringLiteral("gG"))
            continue;
        const auto* c = sample().characteristic(f.name, kTimeCurrent);
        ASSERT_TRUE(c);
        for (const Gate& g : kGates) {
            if (g.in != link->rating)
                continue;
            ++checked;
            const std::string name = f.name.toStdString();
            const auto i10 = currentAt(c->points, 10);
            const auto i5 = currentAt(c->points, 5);
            const auto i01 = currentAt(c->points, 0.1);
            ASSERT_TRUE(i10 && i5 && i01) << name;
            EXPECT_GE(*i10, g.min10) << name;
            EXPECT_LE(*i5, g.max5) << name;
            EXPECT_GE(*i01, g.min01) << name;
            EXPECT_LE(*i01, g.max01) << name;
        }
    }
    EXPECT_GE(checked, 40);
}

TEST(FuseSampleCurves, GGLinksMeetTheirConventionalCurrents)
{
    for (const auto& f : sample().fuses) {
        const auto link = parseName(f.name);
        if (!link || link->category != QStringLiteral("gG"))
            continue;
        const std::string name = f.name.toStdString();
        const auto& p = sample().characteristic(f.name, kTimeCurrent)->points;
        const double in = link->rating;
        const double tc = conventionalTime(in);
        const double fusing = in >= 16 ? 1.6 : in <= 4 ? 2.1 : 1.9;
        const double nonFusing = in >= 16 ? 1.25 : 1.5;
        // Through (fusing current, conventional time) within a few per cent.
        const auto t = timeAt(p, fusing * in);
        ASSERT_TRUE(t) << name;
        EXPECT_NEAR(*t / tc, 1.0, 0.05) << name;
        // The non-fusing current does not melt the link in the conventional time.
        const auto tNon = timeAt(p, nonFusing * in);
        EXPECT_TRUE(!tNon || *tNon >= tc) << name;
    }
}

TEST(FuseSampleCurves, OtherCategoriesHaveTheirOwnShape)
{
    for (const auto& f : sample().fuses) {
        const auto link = parseName(f.name);
        ASSERT_TRUE(link);
        const std::string name = f.name.toStdString();
        const double in = link->rating;
        const auto& p = sample().characteristic(f.name, kTimeCurrent)->points;
        if (link->category == QStringLiteral("aM")) {
            // Short-circuit protection only: nothing below about 4 In, and
            // at 4 In the link holds for a minute.
            EXPECT_GE(p.front().x, 3.9 * in) << name;
            EXPECT_GE(timeAt(p, 4.0 * in).value_or(1e9), 60.0) << name;
            const auto t63 = timeAt(p, 6.3 * in);
            ASSERT_TRUE(t63) << name;
            EXPECT_LT(*t63, 60.0) << name;
        }
        if (link->category == QStringLiteral("gR")) {
            // Much faster than a gG link: 10 ms reached below 6 In.
            const auto i = currentAt(p, 0.01);
            ASSERT_TRUE(i) << name;
            EXPECT_LT(*i, 6.0 * in) << name;
            const auto* i2t = sample().characteristic(f.name, kPreArcing);
            ASSERT_TRUE(i2t);
            if (in <= 10) { // a few A2s at small ratings
                EXPECT_LT(i2t->points.back().y, 30.0) << name;
            }
        }
    }
}

TEST(FuseSampleCurves, CutOffStaysBelowThePeakLines)
{
    for (const auto* c : curvesOf(kCutOff)) {
        const std::string name = c->fuse.toStdString();
        ASSERT_GE(c->points.size(), 5u) << name;
        for (size_t i = 0; i < c->points.size(); ++i) {
            const auto& p = c->points[i];
            EXPECT_LT(p.y, 2.0 * std::sqrt(2.0) * p.x) << name << " point " << i;
            if (i > 0) {
                EXPECT_GT(p.y, c->points[i - 1].y) << name << " point " << i;
            }
        }
        // At the breaking capacity the link clearly limits the current.
        const auto& last = c->points.back();
        EXPECT_LT(last.y, std::sqrt(2.0) * last.x) << name;
        EXPECT_GE(last.x, 49.9) << name;
    }
}

TEST(FuseSampleCurves, I2tFallsTowardsItsAdiabaticValueAndPowerRises)
{
    for (const auto* c : curvesOf(kPreArcing)) {
        for (size_t i = 1; i < c->points.size(); ++i) {
            EXPECT_GT(c->points[i].x, c->points[i - 1].x) << c->fuse.toStdString();
            EXPECT_LE(c->points[i].y, c->points[i - 1].y * 1.0001) << c->fuse.toStdString();
        }
    }
    for (const auto* c : curvesOf(kPower)) {
        for (size_t i = 1; i < c->points.size(); ++i)
            EXPECT_GT(c->points[i].y, c->points[i - 1].y) << c->fuse.toStdString();
        // gG links keep to the power limit of their size (48 W for NH3);
        // semiconductor links run hotter by design.
        const double limit = c->fuse.contains(QStringLiteral(" gG ")) ? 48.0 : 150.0;
        EXPECT_LE(c->points.back().y, limit) << c->fuse.toStdString();
    }
}

// Plots the curves of one type for the fuses whose names start with
// `prefix`, on log or linear axes from the curves' extent, with optional
// extra segments (gates, peak lines) in red.
QImage plot(const QString& type, const QString& prefix,
            const std::vector<std::pair<FuseDbFiles::Point, FuseDbFiles::Point>>& marks = {})
{
    const auto* t = sample().type(type);
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    std::vector<const Points*> curves;
    for (const auto* c : curvesOf(type)) {
        if (!c->fuse.startsWith(prefix))
            continue;
        curves.push_back(&c->points);
        for (const auto& p : c->points) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
    }
    const auto scale = [](double v, bool log) { return log ? std::log10(v) : v; };
    const auto lo = [&](double v, bool log) { return log ? std::floor(std::log10(v)) : 0.0; };
    const auto hi = [&](double v, bool log) { return log ? std::ceil(std::log10(v)) : v * 1.1; };
    const double ax0 = lo(x0, t->logX), ax1 = hi(x1, t->logX);
    const double ay0 = lo(y0, t->logY), ay1 = hi(y1, t->logY);
    QImage image(900, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const auto map = [&](double x, double y) {
        return QPointF(60 + (scale(x, t->logX) - ax0) / (ax1 - ax0) * 800,
                       650 - (scale(y, t->logY) - ay0) / (ay1 - ay0) * 600);
    };
    painter.setPen(QColor(210, 210, 210));
    if (t->logX) {
        for (double d = ax0; d <= ax1; ++d)
            painter.drawLine(map(std::pow(10, d), t->logY ? std::pow(10, ay0) : ay0),
                             map(std::pow(10, d), t->logY ? std::pow(10, ay1) : ay1));
    }
    if (t->logY) {
        for (double d = ay0; d <= ay1; ++d)
            painter.drawLine(map(t->logX ? std::pow(10, ax0) : ax0, std::pow(10, d)),
                             map(t->logX ? std::pow(10, ax1) : ax1, std::pow(10, d)));
    }
    painter.setPen(Qt::black);
    painter.drawText(60, 30, type + QStringLiteral(": ") + prefix);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::blue, 1.5));
    for (const Points* p : curves) {
        for (size_t i = 1; i < p->size(); ++i)
            painter.drawLine(map((*p)[i - 1].x, (*p)[i - 1].y), map((*p)[i].x, (*p)[i].y));
        if (p->size() == 1)
            painter.drawEllipse(map(p->front().x, p->front().y), 3, 3);
    }
    painter.setPen(QPen(Qt::red, 2));
    for (const auto& [a, b] : marks)
        painter.drawLine(map(a.x, a.y), map(b.x, b.y));
    painter.end();
    return image;
}

TEST(FuseSampleCurves, RenderEveryTypeForInspection)
{
    std::vector<std::pair<FuseDbFiles::Point, FuseDbFiles::Point>> gates;
    for (const Gate& g : kGates) {
        if (g.in > 160)
            continue;
        gates.push_back({{g.min10, 10}, {g.min10 * 0.85, 10}});
        gates.push_back({{g.max5, 5}, {g.max5 * 1.2, 5}});
        gates.push_back({{g.min01, 0.1}, {g.max01, 0.1}});
    }
    const double r = std::sqrt(2.0);
    const std::vector<std::pair<FuseDbFiles::Point, FuseDbFiles::Point>> peaks = {
        {{0.01, 0.01 * r}, {100, 100 * r}}, {{0.01, 0.02 * r}, {100, 200 * r}}};
    const struct
    {
        QString type, prefix, file;
        std::vector<std::pair<FuseDbFiles::Point, FuseDbFiles::Point>> marks;
    } plots[] = {
        {kTimeCurrent, QStringLiteral("NH00 gG"), QStringLiteral("fusedb-sample-nh00-gg-gates"),
         gates},
        {kTimeCurrent, QStringLiteral("NH00 aM"), QStringLiteral("fusedb-sample-nh00-am"), {}},
        {kTimeCurrent,
         QStringLiteral("NH1 gR"),
         QStringLiteral("fusedb-sample-nh1-gr-turning"),
         {}},
        {kTimeCurrent, QStringLiteral("10x38 gG"), QStringLiteral("fusedb-sample-10x38-gg"), {}},
        {kCutOff, QStringLiteral("NH"), QStringLiteral("fusedb-sample-nh-cutoff"), peaks},
        {kPreArcing, QStringLiteral("NH00 gG"), QStringLiteral("fusedb-sample-nh00-gg-i2t"), {}},
        {QStringLiteral("Operating I2t"),
         QStringLiteral(""),
         QStringLiteral("fusedb-sample-gr-operating-i2t"),
         {}},
        {kPower, QStringLiteral("D0"), QStringLiteral("fusedb-sample-d0-power"), {}},
    };
    for (const auto& p : plots) {
        const QImage image = plot(p.type, p.prefix, p.marks);
        // Something blue was drawn: the selection found curves.
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; y += 2)
            for (int x = 0; x < image.width() && !drawn; x += 2)
                drawn = qBlue(image.pixel(x, y)) > 200 && qRed(image.pixel(x, y)) < 80;
        EXPECT_TRUE(drawn) << p.file.toStdString();
        EXPECT_FALSE(Artifacts::save(image, p.file).isEmpty());
    }
}

TEST(FuseSampleCurves, LargerRatingsOfOneGroupNeedMoreCurrent)
{
    // Curves of one size and category never cross: at every time the larger
    // rating melts at a larger current.
    for (const auto& g : sample().groups) {
        std::vector<std::pair<double, const Points*>> members;
        for (const auto& f : sample().fuses) {
            const auto link = parseName(f.name);
            if (f.group == g.name && link && f.name != QStringLiteral("NH1 gR 250 A"))
                members.push_back(
                    {link->rating, &sample().characteristic(f.name, kTimeCurrent)->points});
        }
        std::sort(members.begin(), members.end());
        for (size_t i = 1; i < members.size(); ++i) {
            for (double t : {1000.0, 100.0, 10.0, 1.0, 0.1, 0.01, 0.004}) {
                const auto a = currentAt(*members[i - 1].second, t);
                const auto b = currentAt(*members[i].second, t);
                if (a && b) {
                    EXPECT_LT(*a, *b)
                        << g.name.toStdString() << " " << members[i].first << " A at " << t << " s";
                }
            }
        }
    }
}
