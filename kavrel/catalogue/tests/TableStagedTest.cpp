// Tables loaded in stages: a keyed subset first, the rest in slices.
#include "StandardSchemas.h"
#include "TDBX.h"
#include "TableStore.h"
#include "TableTestData.h"
#include "TableView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A tree table of 100 parents (LINK1 0..99) with 20 children each; child
// (p, s) is node p * 100 + s.
QString writeForest(const QString& path)
{
    std::vector<std::vector<QVariant>> rows;
    for (int s = 0; s < 20; ++s) // file order is not key order
        for (int p = 0; p < 100; ++p)
            rows.push_back({p, "A", s, p * 100 + s, QVariant()});
    std::vector<const QVariant*> pointers;
    for (const auto& row : rows)
        pointers.push_back(row.data());
    std::vector<qint64> ids;
    TableStore::writeNewFile(path, StandardSchemas::tree(), pointers, ids);
    return path;
}

void openWithSubset(ClientTable& t, const QString& path, std::vector<int> parents)
{
    const TableSchema schema = StandardSchemas::tree();
    t.openStaged(path, &schema);
    t.loadSubset("LINK1", std::move(parents));
}

} // namespace

TEST(TableStaged, TheSubsetAnswersItsKeysAndTheRestComesInSlices)
{
    QTemporaryDir dir;
    const QString path = writeForest(dir.path() + "/T1.CDS");
    ClientTable t;
    TableView keyed(t), range(t);
    keyed.setIndexName("PRIMARY");
    range.setIndexName("PRIMARY");
    openWithSubset(t, path, {7, 8});
    range.setRange({8});

    ASSERT_TRUE(keyed.findKey({7, "A", 3}));
    EXPECT_EQ(keyed.asInt("LINK2"), 703);
    EXPECT_FALSE(keyed.findKey({7, "A", 25})); // a miss within the subset is exact
    EXPECT_EQ(range.recordCount(), 20);
    range.last();
    EXPECT_EQ(range.asInt("LINK2"), 819);
    EXPECT_FALSE(t.isComplete());

    int slices = 0;
    while (!t.loadMore(0))
        ++slices;
    EXPECT_GT(slices, 0);
    ASSERT_TRUE(t.isComplete());
    // Both views stay on their rows; the unrestricted one now sees them all.
    EXPECT_EQ(keyed.asInt("LINK2"), 703);
    EXPECT_EQ(range.asInt("LINK2"), 819);
    EXPECT_EQ(keyed.recordCount(), 2000);
    EXPECT_EQ(range.recordCount(), 20);
}

TEST(TableStaged, AnythingTheSubsetDoesNotCoverReadsTheRestFirst)
{
    QTemporaryDir dir;
    const QString path = writeForest(dir.path() + "/T1.CDS");
    const std::vector<std::function<void(ClientTable&, TableView&)>> asks = {
        [](ClientTable&, TableView& v) {
            ASSERT_TRUE(v.findKey({42, "A", 1}));
            EXPECT_EQ(v.asInt("LINK2"), 4201);
        },
        [](ClientTable&, TableView& v) { EXPECT_EQ(v.recordCount(), 2000); },
        [](ClientTable&, TableView& v) {
            v.setRange({42});
            EXPECT_EQ(v.recordCount(), 20);
        },
        [](ClientTable&, TableView& v) {
            v.first(); // the rows of the lowest key come with the subset
            EXPECT_EQ(v.asInt("LINK2"), 0);
            v.next();
            EXPECT_EQ(v.asInt("LINK2"), 1);
        },
        [](ClientTable& t, TableView&) { EXPECT_EQ(t.rowCount(), 2000); },
    };
    for (size_t i = 0; i < asks.size(); ++i) {
        ClientTable t;
        TableView v(t);
        v.setIndexName("PRIMARY");
        openWithSubset(t, path, {7});
        asks[i](t, v);
        EXPECT_TRUE(t.isComplete()) << "ask " << i;
    }
}

// Slots are sized by the highest row id before any row is read: the ids of
// deleted rows, and rows not read yet, must never show as rows of zeros.
TEST(TableStaged, DeletedRowIdsLeaveNoRowsBehind)
{
    QTemporaryDir dir;
    const QString path = writeForest(dir.path() + "/T1.CDS");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    // Every third row goes, among them rows of parent 0 (the lowest key).
    ASSERT_EQ(sqlite3_exec(db, "DELETE FROM kt_rows WHERE rid % 3 = 0", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    ClientTable t;
    TableView all(t), parent(t);
    all.setIndexName("PRIMARY");
    parent.setIndexName("PRIMARY");
    openWithSubset(t, path, {7});
    parent.setRange({7});
    const int kept7 = parent.recordCount();
    EXPECT_GT(kept7, 0);
    EXPECT_LT(kept7, 20);
    for (parent.first(); !parent.eof(); parent.next())
        EXPECT_EQ(parent.asInt("LINK2") / 100, 7);
    t.finishLoading();
    ASSERT_TRUE(t.isComplete());
    EXPECT_EQ(t.rowCount(), 2000 - 2000 / 3);
    EXPECT_EQ(all.recordCount(), t.rowCount());
    int zeros = 0;
    for (all.first(); !all.eof(); all.next())
        zeros += all.asInt("LINK2") == 0 && all.asString("LOOK").isEmpty() ? 1 : 0;
    EXPECT_EQ(zeros, 0);
    EXPECT_EQ(parent.recordCount(), kept7);
}

TEST(TableStaged, ADamagedRowFoundLaterClosesTheTableAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = writeForest(dir.path() + "/T1.CDS");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "UPDATE kt_rows SET LINK2='no number' WHERE LINK1=50 AND SORT=3", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);

    ClientTable t;
    QString reported;
    t.setLoadErrorHandler([&](const QString& message) { reported = message; });
    TableView v(t);
    v.setIndexName("PRIMARY");
    openWithSubset(t, path, {7});
    EXPECT_TRUE(v.findKey({7, "A", 0}));
    EXPECT_EQ(v.recordCount(), 0); // reading the rest fails
    EXPECT_FALSE(t.isOpen());
    EXPECT_FALSE(v.isActive());
    EXPECT_TRUE(reported.contains("T1.CDS") && reported.contains("LINK2")) << reported.toStdString();
}

namespace {

// A catalogue of segments 2, 3 and 4; groups 10 and 11 under segment 2, with
// level-1 groups 1000 + g below them; their texts 500 + node.
QString writeCatalogue(const QString& dir)
{
    ClientTable tree, attrs, texts, pictures;
    tree.create(StandardSchemas::tree());
    attrs.create(StandardSchemas::attributes());
    texts.create(StandardSchemas::texts());
    pictures.create(StandardSchemas::pictures());
    TableView t(tree), a(attrs), x(texts), p(pictures);
    auto node = [&](int parent, int sort, int number) {
        addRow(t, {"LINK1", "LOOK", "SORT", "LINK2"}, {parent, "A", sort, number});
        addRow(a, {"LINK2", "LOOK", "SORT", "LINK3"}, {number, "A", 0, 500 + number});
        addRow(x, {"LINK3", "SORT", "KODA", "ANG"},
               {500 + number, 0, QString::number(number), QStringLiteral("Node %1").arg(number)});
    };
    node(0, 0, 2);
    node(0, 1, 3);
    node(0, 2, 4);
    node(2, 0, 10);
    node(2, 1, 11);
    for (int g = 10; g <= 11; ++g)
        for (int s = 0; s < 3; ++s)
            node(g, s, 1000 + g * 10 + s);
    addRow(a, {"LINK2", "LOOK", "SORT", "LINK3", "TIPTX"}, {10, "A", 1, 9000, "B"});
    addRow(x, {"LINK3", "SORT", "ANG"}, {9000, 0, "Page of group 10"});
    addRow(a, {"LINK2", "LOOK", "SORT", "LINK3"}, {10, "0", 1, 77});
    addRow(p, {"LINK3", "IME"}, {77, "G10"});
    tree.saveAs(dir + "/T1.CDS");
    attrs.saveAs(dir + "/T2.CDS");
    texts.saveAs(dir + "/T3.CDS");
    pictures.saveAs(dir + "/T4.CDS");
    return dir;
}

} // namespace

TEST(CatalogueLoading, TheFirstTreeAndItsPageNeedOnlyTheFirstRows)
{
    QTemporaryDir dir;
    TDBX dbx;
    QString error;
    ASSERT_TRUE(dbx.open(writeCatalogue(dir.path()), &error)) << error.toStdString();
    EXPECT_FALSE(dbx.isFullyLoaded());
    dbx.setSegment(0);
    dbx.K1T1.setRecNo(2);
    EXPECT_EQ(dbx.K1T1.asString("NAZIV"), "Node 11");
    EXPECT_EQ(dbx.text(10, "A", 1).value_or(QString()), "Page of group 10");
    ASSERT_TRUE(dbx.K2T3.findKey({10, "0", 1}));
    EXPECT_EQ(dbx.K4T1.asString("IME"), "G10");
    EXPECT_FALSE(dbx.isFullyLoaded());

    // A node below the first level is not among them: the rest is read.
    EXPECT_EQ(dbx.text(1101, "A", 0).value_or(QString()), "Node 1101");
    EXPECT_TRUE(dbx.isFullyLoaded());
    EXPECT_EQ(dbx.K4T1.asString("IME"), "G10");
}

TEST(CatalogueLoading, TheRestArrivesOnTheEventLoopWithTheViewsInPlace)
{
    QTemporaryDir dir;
    TDBX dbx;
    ASSERT_TRUE(dbx.open(writeCatalogue(dir.path())));
    ASSERT_TRUE(dbx.K2T1.findKey({11, "A", 0}));
    EXPECT_EQ(dbx.K3T2.asString("ANG"), "Node 11");
    QElapsedTimer clock;
    clock.start();
    while (!dbx.isFullyLoaded() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(dbx.isFullyLoaded());
    EXPECT_EQ(dbx.K2T1.asInt("LINK2"), 11);
    EXPECT_EQ(dbx.K3T2.asString("ANG"), "Node 11");
    EXPECT_EQ(dbx.K2T1.recordCount(), 13);
}
