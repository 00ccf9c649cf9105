#include "FuseDatabaseLoader.h"

#include <gtest/gtest.h>

namespace {

struct Loaded
{
    std::unique_ptr<FuseDatabase> db;
    std::unique_ptr<FuseDatabaseLoader> loader;
    FuseDatabaseLoadReport report;
};

std::unique_ptr<Loaded> loadFixture(const char* name)
{
    auto loaded = std::make_unique<Loaded>();
    loaded->loader = std::make_unique<FuseDatabaseLoader>(FuseDatabaseLoader::directorySource(
        QStringLiteral(FIXTURE_DIR) + QLatin1Char('/') + QLatin1String(name)));
    loaded->loader->setReport(&loaded->report);
    loaded->db = loaded->loader->load();
    return loaded;
}

QStringList names(const std::vector<const FuseGroup*>& groups)
{
    QStringList out;
    for (const FuseGroup* g : groups)
        out << g->name() + QLatin1Char('/') + QString::number(g->level());
    return out;
}

bool mentions(const FuseDatabaseLoadReport& report, const QString& table, const QString& text)
{
    for (const auto& issue : report.issues) {
        if (issue.table == table && issue.message.contains(text))
            return true;
    }
    return false;
}

} // namespace

TEST(FuseDatabaseLoader, BuildsTheGroupTreeInLevelOrder)
{
    const auto l = loadFixture("basic");
    const FuseDatabase& db = *l->db;
    EXPECT_EQ(names(db.groups()), (QStringList{"NH/1", "D/1", "NH00/2", "gG/3"}));
    EXPECT_EQ(names(db.topLevelGroups()), (QStringList{"NH/1", "D/1"}));
    const FuseGroup* nh = db.topLevelGroup(0);
    ASSERT_EQ(nh->childCount(), 1);
    const FuseGroup* nh00 = nh->child(0);
    EXPECT_EQ(nh00->parent(), nh);
    ASSERT_EQ(nh00->childCount(), 1);
    const FuseGroup* gG = nh00->child(0);
    EXPECT_EQ(gG->parentName(), "NH00");
    EXPECT_EQ(gG->fuseCount(), 2);
    EXPECT_EQ(gG->fuse(0)->name(), "NH00 gG 63 A");
    EXPECT_EQ(gG->fuse(1)->catalogueNumber(), "1110063");
    EXPECT_EQ(gG->fuse(2), nullptr);
    EXPECT_EQ(nh->parent(), nullptr);
    EXPECT_EQ(db.topLevelGroup(1)->fuse(0)->name(), "D II 16 A");
    EXPECT_TRUE(l->report.issues.empty());
}

TEST(FuseDatabaseLoader, AttachesCharacteristicsAndPointsInFileOrder)
{
    const auto l = loadFixture("basic");
    const FuseDatabase& db = *l->db;
    ASSERT_EQ(db.fuseCount(), 3);
    const Fuse* f63 = db.findFuse("NH00 gG 63 A");
    ASSERT_NE(f63, nullptr);
    ASSERT_EQ(f63->characteristicCount(), 2);
    const Characteristic* tc = f63->findCharacteristic("Time-Current");
    const Characteristic* cut = f63->findCharacteristic("Cut-Off Current");
    ASSERT_TRUE(tc && cut);
    EXPECT_EQ(cut, f63->characteristic(1)); // the second type gives the second characteristic
    EXPECT_EQ(tc->pointCount(), 3);
    EXPECT_EQ(cut->pointCount(), 1); // a single point is still a characteristic
    EXPECT_EQ(cut->type()->xUnit(), "kA");
    EXPECT_EQ(f63->findCharacteristic("Melting"), nullptr);

    // Sequence numbers are kept but never reorder the points.
    const Characteristic* d = db.findFuse("D II 16 A")->characteristic(0);
    ASSERT_EQ(d->pointCount(), 2);
    EXPECT_EQ(d->point(0)->sequenceNumber, 2);
    EXPECT_DOUBLE_EQ(d->point(0)->x, 0.4);
    EXPECT_EQ(d->point(1)->sequenceNumber, 1);
    EXPECT_EQ(d->point(2), nullptr);
    EXPECT_EQ(d->point(-1), nullptr);
    EXPECT_EQ(db.findCharacteristic(4), d);
    EXPECT_EQ(db.findCharacteristic(42), nullptr);
    ASSERT_NE(l->loader->ownTypeTable(), nullptr);
    EXPECT_EQ(l->loader->ownTypeTable()->count(), 2);
}

TEST(FuseDatabaseLoader, LineBreaksBetweenRecordsBelongToTheNextField)
{
    const auto l = loadFixture("line-breaks");
    const FuseDatabase& db = *l->db;
    // The group written after a line break is called "\nNH".
    EXPECT_EQ(names(db.groups()), (QStringList{"Fuses/1", "\nNH/2"}));
    EXPECT_EQ(db.group(1)->parent(), db.group(0));
    // "NH" does not match "\nNH"; "\nNH" does.
    const Fuse* f1 = db.findFuse("F1");
    const Fuse* f2 = db.findFuse("\nF2");
    ASSERT_TRUE(f1 && f2);
    EXPECT_EQ(f1->group(), nullptr);
    EXPECT_EQ(f2->group(), db.group(1));
    EXPECT_EQ(db.findFuse("F2"), nullptr);
    // Ids with a leading line break convert; the names must match exactly.
    ASSERT_EQ(f1->characteristicCount(), 2);
    EXPECT_EQ(f1->characteristic(1)->id(), 8);
    ASSERT_EQ(f2->characteristicCount(), 1);
    EXPECT_EQ(f2->characteristic(0)->id(), 9);
    EXPECT_EQ(f1->characteristic(0)->pointCount(), 2);
    EXPECT_EQ(f1->characteristic(1)->pointCount(), 0);
    EXPECT_EQ(f2->characteristic(0)->pointCount(), 1);
    // The second type "\nL" is linear on both axes.
    const CharacteristicTypeTable* types = l->loader->ownTypeTable();
    ASSERT_TRUE(types);
    ASSERT_NE(types->findType("\nL"), nullptr);
    EXPECT_FALSE(types->findType("\nL")->isLogX());
    EXPECT_EQ(types->findType("L"), nullptr);
}

TEST(FuseDatabaseLoader, WithoutATopLevelGroupThereAreNoFuses)
{
    const auto l = loadFixture("no-top-level");
    EXPECT_EQ(l->db->groupCount(), 2);
    EXPECT_EQ(l->db->topLevelGroupCount(), 0);
    EXPECT_EQ(l->db->fuseCount(), 0);
    EXPECT_EQ(l->db->findFuse("F1"), nullptr);
    EXPECT_EQ(l->db->findGroup("NH"), l->db->group(0));
    EXPECT_TRUE(l->report.stoppedWithoutTopLevelGroup);
    EXPECT_EQ(l->loader->ownTypeTable(), nullptr); // nothing asked for a type
}

TEST(FuseDatabaseLoader, SameGroupNameAtTwoLevelsLinksByLevel)
{
    const auto l = loadFixture("same-name-levels");
    const FuseDatabase& db = *l->db;
    EXPECT_EQ(names(db.groups()), (QStringList{"Top/1", "X/2", "X/3", "Y/3", "W/3", "Z/4"}));
    const FuseGroup* x2 = db.group(1);
    const FuseGroup* x3 = db.group(2);
    EXPECT_EQ(x2->parent(), db.group(0));
    EXPECT_EQ(x3->parent(), x2);
    EXPECT_EQ(db.group(3)->parent(), x2);
    EXPECT_EQ(names(x2->children()), (QStringList{"X/3", "Y/3"}));
    EXPECT_EQ(db.group(5)->parent(), x3); // Z at level 4 goes under the level-3 X
    // W names a parent that does not exist: in the list of all groups only.
    EXPECT_EQ(db.group(4)->parent(), nullptr);
    EXPECT_TRUE(mentions(l->report, "var_grup", "\"W\""));
    // A fuse naming "X" joins the first X in level order.
    const Fuse* f1 = db.findFuse("F1");
    EXPECT_EQ(f1->group(), x2);
    EXPECT_EQ(x2->fuseCount(), 1);
    EXPECT_EQ(x3->fuseCount(), 0);
    EXPECT_EQ(db.findFuse("F3")->group(), db.group(5));
    EXPECT_EQ(db.findGroup("X"), x2);
    EXPECT_EQ(db.findGroup("X", 3), x3);
    EXPECT_EQ(db.findGroup("X", 3, x2), x3);
    EXPECT_EQ(db.findGroup("X", 2, db.group(0)), x2);
    EXPECT_EQ(db.findGroup("Top", 1, nullptr), db.group(0));
    EXPECT_EQ(db.findGroup("X", 2, nullptr), nullptr); // not a top-level group
}

TEST(FuseDatabaseLoader, AFuseWhoseGroupIsMissingIsKeptOutsideTheTree)
{
    const auto l = loadFixture("same-name-levels");
    const Fuse* f2 = l->db->findFuse("F2");
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(f2->group(), nullptr);
    EXPECT_EQ(l->db->fuse(1), f2);
    EXPECT_EQ(l->db->findFuse("F2", nullptr), f2);
    EXPECT_EQ(l->db->findFuse("F2", l->db->group(1)), nullptr);
    EXPECT_TRUE(mentions(l->report, "vars", "\"Missing\""));
}

TEST(FuseDatabaseLoader, PointsOfADuplicateIdGoToTheFirstInFuseOrder)
{
    const auto l = loadFixture("duplicate-ids");
    const Fuse* first = l->db->findFuse("First");
    const Fuse* second = l->db->findFuse("Second");
    ASSERT_EQ(first->characteristicCount(), 2);
    ASSERT_EQ(second->characteristicCount(), 1);
    // "Second" came first in karakt, but "First" comes first among the fuses.
    EXPECT_EQ(first->characteristic(0)->type()->name(), "U");
    EXPECT_EQ(first->characteristic(0)->pointCount(), 3);
    EXPECT_EQ(first->characteristic(1)->pointCount(), 0);
    EXPECT_EQ(second->characteristic(0)->pointCount(), 0);
    EXPECT_EQ(l->db->findCharacteristic(5), first->characteristic(0));
}

TEST(FuseDatabaseLoader, SkipsRecordsWithBadFieldsOrReferences)
{
    const auto l = loadFixture("strict-fields");
    const FuseDatabase& db = *l->db;
    // The last vars record lacks its terminator and is dropped.
    ASSERT_EQ(db.fuseCount(), 1);
    const Fuse* f1 = db.fuse(0);
    ASSERT_EQ(f1->characteristicCount(), 1);
    const Characteristic* c = f1->characteristic(0);
    EXPECT_EQ(c->id(), 1);
    ASSERT_EQ(c->pointCount(), 2);
    EXPECT_EQ(c->point(0)->sequenceNumber, 12); // "12" + line break
    EXPECT_DOUBLE_EQ(c->point(0)->x, 0.2);
    EXPECT_EQ(c->point(1)->sequenceNumber, 5);
    EXPECT_DOUBLE_EQ(c->point(1)->x, 0.1);
    EXPECT_DOUBLE_EQ(c->point(1)->y, 0.25);

    const FuseDatabaseLoadReport& r = l->report;
    EXPECT_TRUE(mentions(r, "karakt", "\"x2\""));
    EXPECT_TRUE(mentions(r, "karakt", "\"6 \""));
    EXPECT_TRUE(mentions(r, "karakt", "no fuse \"F2\""));
    EXPECT_TRUE(mentions(r, "karakt", "no characteristic type \"Nothing\""));
    EXPECT_TRUE(mentions(r, "tocka", "\"12 \""));
    EXPECT_TRUE(mentions(r, "tocka", "\"0,5\""));
    EXPECT_TRUE(mentions(r, "tocka", "no characteristic 99"));
    for (const auto& file : r.files) {
        if (file.table == "vars") {
            EXPECT_EQ(file.statistics.ignoredFields, 2);
            EXPECT_TRUE(file.statistics.ignoredTail);
        }
    }
}

TEST(FuseDatabaseLoader, ReadsAxisDefinitionsAndFlags)
{
    const auto types = FuseDatabaseLoader::loadTypes(
        FuseDatabaseLoader::directorySource(QStringLiteral(FIXTURE_DIR "/flags")));
    ASSERT_EQ(types->count(), 3);
    const CharacteristicType* zero = types->type(0);
    EXPECT_EQ(zero->name(), "Zero");
    EXPECT_FALSE(zero->isLogX());
    EXPECT_FALSE(zero->isLogY());
    EXPECT_EQ(zero->endX(), 100.0);
    EXPECT_EQ(zero->endY(), 10.0);
    const CharacteristicType* one = types->findType("One");
    EXPECT_TRUE(one->isLogX());
    EXPECT_TRUE(one->isLogY()); // "00"
    EXPECT_EQ(one->startY(), 1.0);
    const CharacteristicType* empty = types->type(2);
    EXPECT_TRUE(empty->isLogX()); // ""
    EXPECT_TRUE(empty->isLogY()); // " 0"
    EXPECT_EQ(empty->startY(), 25.0);
    EXPECT_EQ(empty->endY(), 0.0);
    EXPECT_EQ(types->type(3), nullptr);
}

TEST(FuseDatabaseLoader, MissingRecordFilesAreEmptyTables)
{
    // Only tip_kar exists here.
    FuseDatabaseLoadReport report;
    FuseDatabaseLoader loader(
        FuseDatabaseLoader::directorySource(QStringLiteral(FIXTURE_DIR "/flags")));
    loader.setReport(&report);
    const auto db = loader.load();
    EXPECT_EQ(db->groupCount(), 0);
    EXPECT_EQ(db->fuseCount(), 0);
    ASSERT_FALSE(report.files.empty());
    EXPECT_FALSE(report.files[0].statistics.opened);
}

TEST(FuseDatabaseLoader, AskedForTypesOnlyWhenACharacteristicNeedsThem)
{
    CharacteristicTypeTable types;
    types.append(CharacteristicType("T", AxisDefinition{"A", true, 1, 1000},
                                    AxisDefinition{"s", true, 0.01, 1000}));
    int asked = 0;
    auto source = FuseDatabaseLoader::memorySource({{"var_grup", "G@1@@"},
                                                    {"vars", "F@1@G@F@2@G@"},
                                                    {"karakt", "1@F@T@2@F@T@"},
                                                    {"tocka", "2@1@0.5@0.5@"}});
    FuseDatabaseLoader loader(source);
    loader.useTypeTable([&]() -> const CharacteristicTypeTable& {
        ++asked;
        return types;
    });
    const auto db = loader.load();
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(db->fuseCount(), 2);
    // Two fuses of the same name: the characteristics go to the first.
    EXPECT_EQ(db->fuse(0)->characteristicCount(), 2);
    EXPECT_EQ(db->fuse(1)->characteristicCount(), 0);
    EXPECT_EQ(db->fuse(0)->characteristic(1)->pointCount(), 1);
    EXPECT_EQ(db->fuse(0)->characteristic(0)->type(), types.type(0));
    EXPECT_EQ(db->topLevelGroup(0)->fuseCount(), 2);
}

TEST(FuseDatabaseLoader, FindsCharacteristicsWithLargeOrNegativeIds)
{
    // Ids far apart are indexed by hashing instead of a table.
    auto source = FuseDatabaseLoader::memorySource(
        {{"var_grup", "G@1@@"},
         {"vars", "A@1@G@B@2@G@"},
         {"tip_kar", "T@A@1@1@1000@s@1@0.01@1000@"},
         {"karakt", "2000000000@A@T@-3@B@T@2147483647@B@T@99999999999@A@T@"},
         {"tocka", "-3@1@0.5@0.5@2000000000@1@0.1@0.1@2147483647@9@0.9@0.9@7@1@0@0@"}});
    FuseDatabaseLoader loader(source);
    const auto db = loader.load();
    const Fuse* a = db->findFuse("A");
    const Fuse* b = db->findFuse("B");
    ASSERT_EQ(a->characteristicCount(), 2);
    ASSERT_EQ(b->characteristicCount(), 2);
    EXPECT_EQ(db->findCharacteristic(-3), b->characteristic(0));
    EXPECT_EQ(db->findCharacteristic(2000000000), a->characteristic(0));
    // 99999999999 saturates to the largest id; A comes before B.
    EXPECT_EQ(db->findCharacteristic(2147483647), a->characteristic(1));
    EXPECT_EQ(a->characteristic(1)->pointCount(), 1);
    EXPECT_EQ(b->characteristic(1)->pointCount(), 0);
    EXPECT_EQ(b->characteristic(0)->pointCount(), 1);
    EXPECT_EQ(db->findCharacteristic(7), nullptr);
}

// Curves whose points alternate in the file, more points than one block of
// the point memory holds: every point reaches its own curve, in file order.
TEST(FuseDatabaseLoader, InterleavedCurvesOfALargeDatabaseKeepTheirPointsInOrder)
{
    std::string tocka;
    constexpr int kRuns = 300, kRunLength = 500; // 150 000 points, 3.6 MB
    for (int run = 0; run < kRuns; ++run) {
        const int id = 1 + run % 2;
        for (int i = 0; i < kRunLength; ++i) {
            const int n = run / 2 * kRunLength + i;
            tocka += std::to_string(id) + "@" + std::to_string(n) + "@" + std::to_string(n) +
                     ".5@0.25@\n";
        }
    }
    FuseDatabaseLoader loader(FuseDatabaseLoader::memorySource({
        {"var_grup", "G@1@@"},
        {"vars", "F@1@G@"},
        {"tip_kar", "T@A@1@1@10@s@1@1@10@"},
        {"karakt", "1@F@T@2@F@T@"},
        {"tocka", tocka},
    }));
    const auto db = loader.load();
    const Fuse* fuse = db->findFuse("F");
    ASSERT_NE(fuse, nullptr);
    for (int c = 0; c < 2; ++c) {
        const Characteristic* curve = fuse->characteristic(c);
        ASSERT_EQ(curve->pointCount(), kRuns / 2 * kRunLength);
        bool inOrder = true;
        for (int n = 0; n < curve->pointCount(); ++n)
            inOrder = inOrder && curve->point(n)->sequenceNumber == n &&
                      curve->point(n)->x == n + 0.5 && curve->point(n)->y == 0.25;
        EXPECT_TRUE(inOrder) << "curve " << c;
    }
}

// Each file is UTF-8 or Windows-1250 as a whole, and a name read in one file
// finds a name of another only when the bytes are the same.
TEST(FuseDatabaseLoader, DecodesEachFileInOneEncodingAndMatchesNamesByTheirBytes)
{
    // Windows-1250 throughout: "Ł" is 0xA3 and "ł" 0xB3. "WSPÓŁCZYNNIK"
    // (0xD3 0xA3) alone would pass for UTF-8; "Wkładka" shows it is not.
    const std::string group = "WSP\xd3\xa3" "CZYNNIK";
    const std::string cp1250Fuse = "Wk\xb3" "adka";
    const std::string utf8Fuse = "Wk\xc5\x82" "adka";
    std::map<QString, std::string> files = {
        {"var_grup", group + "@1@@Wk\xb3" "adki@1@@"},
        {"vars", cp1250Fuse + "@1@" + group + "@"},
        // Types whose byte order differs from their character order:
        // "Č" is 0xC8 (U+010C), "Ú" 0xDA (U+00DA).
        {"tip_kar", "\xda" "bytek@A@1@1@10@s@1@1@10@\xc8" "as@A@1@1@10@s@1@1@10@"},
        {"karakt", "1@" + utf8Fuse + "@\xc4\x8c" "as@2@" + cp1250Fuse + "@\xda" "bytek@"},
        {"tocka", "2@1@0.5@0.5@"},
    };
    FuseDatabaseLoadReport report;
    FuseDatabaseLoader loader(FuseDatabaseLoader::memorySource(files));
    loader.setReport(&report);
    auto db = loader.load();
    EXPECT_EQ(db->topLevelGroup(0)->name(), QString::fromUtf8("WSPÓŁCZYNNIK"));
    ASSERT_EQ(db->fuseCount(), 1);
    const Fuse* fuse = db->fuse(0);
    EXPECT_EQ(fuse->name(), QString::fromUtf8("Wkładka"));
    EXPECT_EQ(fuse->group(), db->topLevelGroup(0));
    // The karakt file is Windows-1250 as well (0xDA): its UTF-8 bytes of
    // "Wkładka" are another name; its own bytes are the fuse.
    ASSERT_EQ(fuse->characteristicCount(), 1);
    EXPECT_EQ(fuse->characteristic(0)->type()->name(), QString::fromUtf8("Úbytek"));
    EXPECT_EQ(fuse->characteristic(0)->pointCount(), 1);

    // A karakt file written in UTF-8 matches none of the Windows-1250 names.
    files["karakt"] = "1@" + utf8Fuse + "@\xc4\x8c" "as@";
    FuseDatabaseLoadReport utf8Report;
    FuseDatabaseLoader utf8Loader(FuseDatabaseLoader::memorySource(files));
    utf8Loader.setReport(&utf8Report);
    db = utf8Loader.load();
    EXPECT_EQ(db->fuse(0)->characteristicCount(), 0);
    EXPECT_TRUE(mentions(utf8Report, "karakt", "written in Windows-1250, this file in UTF-8"));

    // The characteristic choice lists the types in the bytes' order.
    Fuse both("F", "1");
    const CharacteristicTypeTable* types = utf8Loader.ownTypeTable();
    both.appendCharacteristic(1, types->type(0));
    both.appendCharacteristic(2, types->type(1));
    EXPECT_EQ(FuseDatabase::characteristicTypeNames({&both}),
              (QStringList{QString::fromUtf8("Čas"), QString::fromUtf8("Úbytek")}));
}
