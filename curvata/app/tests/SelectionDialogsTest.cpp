// The Select Fuses and Select characteristic windows on the sample
// database: browsing, collecting, the chained type choice, the stored
// placement.
#include "AppSettings.h"
#include "Artifacts.h"
#include "CIzbrKarakteristikoDlg.h"
#include "CRuzozuvovDlg.h"
#include "CRuzozuvovView.h"
#include "SampleDatabase.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct SelectionWindows : ::testing::Test
{
    const SampleDatabase& sample = SampleDatabase::get();
    CRuzozuvovView view;
    AppSettings settings{QStringLiteral("Local AppWizard-Generated Applications"),
                         QStringLiteral("selection-dialogs")};

    void SetUp() override
    {
        ASSERT_TRUE(sample.fuses && sample.fuses->fuseCount() > 100);
        view.resize(800, 600);
    }

    static void doubleClick(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        const QRect rect = list->visualItemRect(items.first());
        // The view takes a double-click only on the item the press was on.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void select(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        items.first()->setSelected(true);
    }
};

QByteArray placementRecord(int left, int top, int right, int bottom)
{
    QByteArray bytes;
    for (int32_t f : {44, 0, 1, -1, -1, -1, -1, left, top, right, bottom}) {
        char le[4];
        qToLittleEndian(f, le);
        bytes.append(le, 4);
    }
    return bytes;
}

} // namespace

TEST_F(SelectionWindows, BrowseCollectAndChooseTheType)
{
    CRuzozuvovDlg dialog(view, *sample.fuses, *sample.types, &settings);
    QStringList offered;
    const CharacteristicType* answer = nullptr;
    dialog.SetCharacteristicChooser([&](const QStringList& names) {
        offered = names;
        return answer;
    });
    dialog.show();
    doubleClick(dialog.LeftList(), "+NH fuse links");
    doubleClick(dialog.LeftList(), "+NH gR");
    // A group with fuses and subgroups.
    ASSERT_GE(dialog.LeftList()->count(), 5);
    EXPECT_EQ(dialog.LeftList()->item(0)->text(), "..");
    EXPECT_EQ(dialog.LeftList()->item(1)->text(), "+NH1 gR");
    select(dialog.LeftList(), "+NH3 gR");
    select(dialog.LeftList(), "NH00 gR 32 A");
    QTest::mouseClick(dialog.MoveRightButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.LeftList()->findItems("NH00 gR 32 A", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(dialog.LeftList()->findItems("+NH3 gR", Qt::MatchExactly).isEmpty());
    const int collected = dialog.RightList()->count();
    EXPECT_GT(collected, 2);
    Artifacts::save(&dialog, "select-fuses");

    // No type chosen: the window stays open with its selection.
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(offered.contains("Operating I2t"));
    EXPECT_TRUE(view.Fuses().empty());

    answer = sample.types->findType("Time-Current");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(view.Fuses(), dialog.Selection().selected());
    EXPECT_EQ(view.CurrentCharacteristic(), answer);
}

TEST_F(SelectionWindows, OkWithEverythingMovedBackKeepsTheWindowOpen)
{
    view.SetFuses(sample.find({"NH00 gG 6,3 A", "D II gG 16 A"}));
    CRuzozuvovDlg dialog(view, *sample.fuses, *sample.types, &settings);
    ASSERT_EQ(dialog.RightList()->count(), 2);
    bool asked = false;
    dialog.SetCharacteristicChooser([&](const QStringList& names) -> const CharacteristicType* {
        asked = true;
        EXPECT_TRUE(names.isEmpty());
        return nullptr;
    });
    dialog.show();
    dialog.RightList()->selectAll();
    QTest::mouseClick(dialog.MoveLeftButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.RightList()->count(), 0);
    // Fuses of groups not shown do not appear at the top level.
    EXPECT_TRUE(dialog.LeftList()->findItems("NH00 gG 6,3 A", Qt::MatchExactly).isEmpty());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_EQ(view.Fuses().size(), 2u); // Cancel changes nothing
}

TEST_F(SelectionWindows, CharacteristicListPreselectsAndAppliesAtOnce)
{
    view.SetFuses(sample.find({"NH1 gR 250 A"}));
    view.SetCharacteristic(sample.types->findType("Time-Current"), false);
    const QStringList names = FuseDatabase::characteristicTypeNames(view.Fuses());
    {
        CIzbrKarakteristikoDlg dialog(names, view, *sample.types, true, &settings);
        dialog.show();
        ASSERT_EQ(dialog.List()->selectedItems().size(), 1);
        EXPECT_EQ(dialog.List()->selectedItems().first()->text(), "Time-Current");
        Artifacts::save(&dialog, "select-characteristic");
        dialog.List()->setCurrentRow(int(names.indexOf("Cut-Off Current")));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Result(), sample.types->findType("Cut-Off Current"));
        EXPECT_EQ(view.CurrentCharacteristic(), dialog.Result());
    }
    {
        // Without apply-at-once the view keeps its type; nothing chosen
        // closes with no result.
        CIzbrKarakteristikoDlg dialog(names, view, *sample.types, false, &settings);
        dialog.List()->clearSelection();
        dialog.accept();
        EXPECT_EQ(dialog.Result(), nullptr);
        EXPECT_EQ(view.CurrentCharacteristic(), sample.types->findType("Cut-Off Current"));
    }
}

TEST_F(SelectionWindows, PlacementComesFromAValidRecordOnly)
{
    const QString section = QString::fromLatin1(CRuzozuvovDlg::SectionName);
    const QString entry = QStringLiteral("WindowPlacement");
    settings.writeBinary(section, entry, placementRecord(40, 30, 640, 430));
    {
        CRuzozuvovDlg dialog(view, *sample.fuses, *sample.types, &settings);
        EXPECT_EQ(dialog.pos(), QPoint(40, 30));
        EXPECT_EQ(dialog.size(), QSize(600, 400));
    }
    settings.writeBinary(section, entry, placementRecord(40, 30, 640, 430).left(40));
    CRuzozuvovDlg dialog(view, *sample.fuses, *sample.types, &settings);
    EXPECT_NE(dialog.size(), QSize(600, 400));
}
