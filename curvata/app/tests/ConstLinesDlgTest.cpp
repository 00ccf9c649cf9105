// The Const Lines window: creating lines through "Add const line", typing
// values over the list, removing, applying and copying into the table of
// points, on three fuses of the sample database.
#include "Artifacts.h"
#include "CAddConstLineDlg.h"
#include "CConstLineList.h"
#include "CConstLinesDlg.h"
#include "CRuzozuvovView.h"
#include "MessageBoxService.h"
#include "SampleDatabase.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The table of points as the view holds it: a window that takes lines.
struct RecordingTable : QWidget, ConstLineTableTarget
{
    QList<QPair<float, ConstLineKind>> added;
    void addConstLineValue(float value, ConstLineKind kind) override
    {
        added.append({value, kind});
    }
};

struct ConstLinesWindow : ::testing::Test
{
    const SampleDatabase& sample = SampleDatabase::get();
    CRuzozuvovView view;
    QPointer<CConstLinesDlg> window;
    ScriptedMessageBoxes boxes;

    void SetUp() override
    {
        view.resize(800, 600);
        view.SetFuses(sample.find({"NH00 gG 16 A", "NH00 gG 63 A", "NH00 gG 160 A"}));
        view.SetCharacteristic(sample.types->findType("Time-Current"), false);
        // Enough Y lines that their list scrolls.
        view.YLines().append(ConstLine::yLine("t1", 5, 1, 100000, Qt::black));
        for (int i = 0; i < 30; ++i)
            view.YLines().append(ConstLine::yLine(QString::number(i), 1, 1, 100000, Qt::black));
        window = new CConstLinesDlg(view, nullptr);
        window->show();
    }
    void TearDown() override { delete window.data(); }

    // Presses Create and answers "Add const line" with each (name, value,
    // Y line?) in turn, pressing OK; a refused answer keeps the dialog open
    // for the next one, an accepted one closes it and Create is pressed
    // again while answers are left.
    void create(QList<std::tuple<QString, QString, bool>> answers, const char* shot = nullptr)
    {
        while (!answers.isEmpty()) {
            std::function<void()> answer = [&]() {
                auto* dialog = qobject_cast<CAddConstLineDlg*>(QApplication::activeModalWidget());
                if (!dialog) {
                    QTimer::singleShot(0, answer);
                    return;
                }
                if (answers.isEmpty()) {
                    dialog->reject();
                    return;
                }
                const auto [name, value, yLine] = answers.takeFirst();
                dialog->NameEdit()->setText(name);
                dialog->ValueEdit()->setText(value);
                (yLine ? dialog->YButton() : dialog->XButton())->setChecked(true);
                if (shot) // the last answer's picture stays
                    Artifacts::save(dialog, shot);
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
                if (dialog->isVisible())
                    QTimer::singleShot(0, answer);
            };
            QTimer::singleShot(0, answer);
            QTest::mouseClick(window->Button("create"), Qt::LeftButton);
        }
    }

    QLineEdit* startEdit(CConstLineList* list, int row)
    {
        const QRect cell = list->visualRect(list->model()->index(row, CConstLineList::ValueColumn));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        return list->Editor();
    }
};

} // namespace

TEST_F(ConstLinesWindow, CreateRefusesBadInputAndPlacesTheLinesInRange)
{
    const double xMax = view.Chart().XMax();
    ASSERT_GT(xMax, 1000);
    create({{"", "", false},
            {"In", "1,5", false},
            {"t1", "7", true},
            {"In", " 1e3 ", false},
            {"Ik", "1e9", false}},
           "add-const-line");
    EXPECT_EQ(boxes.texts(), QStringList({"Enter a const line name.",
                                          "Const line value must be number.",
                                          "Const line with that name already exists."}));
    const ConstLineList& x = window->Lines().xLines();
    ASSERT_EQ(x.size(), 2);
    EXPECT_EQ(x[0].x1, 1000.0f);
    EXPECT_EQ(x[0].y1, float(view.Chart().YMin()));
    EXPECT_EQ(x[0].y2, float(view.Chart().YMax()));
    EXPECT_EQ(x[1].x1, float(xMax)); // above the range: at its end
    // Three fuses and no X line on the chart yet: both take palette entry 3.
    EXPECT_EQ(x[0].colour, view.Chart().PaletteColour(3));
    EXPECT_EQ(x[1].colour, view.Chart().PaletteColour(3));
    EXPECT_EQ(window->XList()->item(1, 1)->text(), ConstLineSet::formatValue(float(xMax)));
    EXPECT_TRUE(view.XLines().isEmpty()); // not before Apply
    Artifacts::save(window.data(), "const-lines");

    QTest::mouseClick(window->Button("apply"), Qt::LeftButton);
    EXPECT_EQ(view.XLines(), x);
    EXPECT_EQ(view.YLines(), window->Lines().yLines());
}

TEST_F(ConstLinesWindow, ValueEditorCommitsOnlyWhatItShould)
{
    CConstLineList* list = window->YList();
    QLineEdit* editor = startEdit(list, 0);
    ASSERT_TRUE(editor && editor->isVisible());
    QTest::keyClicks(editor, " 250 ");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(window->isVisible()); // Enter did not close the window
    EXPECT_EQ(window->Lines().yLines()[0].y1, 250.0f);
    EXPECT_EQ(list->item(0, 1)->text(), "250");
    EXPECT_EQ(view.YLines()[0].y1, 5.0f); // the chart changes only with Apply

    startEdit(list, 0);
    QTest::keyClicks(editor, "abc");
    QTest::keyClick(editor, Qt::Key_Tab);
    startEdit(list, 0);
    QTest::keyClicks(editor, "9");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible()); // Escape closed the box, not the window
    startEdit(list, 0);
    QTest::keyClicks(editor, "8");
    list->horizontalHeader()->resizeSection(0, 40);
    EXPECT_FALSE(editor->isVisible());
    startEdit(list, 0);
    QTest::keyClicks(editor, "7");
    list->verticalScrollBar()->setValue(5);
    EXPECT_FALSE(editor->isVisible());
    list->verticalScrollBar()->setValue(0);
    EXPECT_EQ(window->Lines().yLines()[0].y1, 250.0f);

    // Typed but not confirmed when Apply is pressed: what the list shows
    // is what the chart gets.
    startEdit(list, 0);
    QTest::keyClicks(editor, "12");
    QTest::mouseClick(window->Button("apply"), Qt::LeftButton);
    EXPECT_EQ(view.YLines()[0].y1, 12.0f);
}

TEST_F(ConstLinesWindow, RemoveCloseAndTheTableOfPoints)
{
    create({{"a", "100", false}, {"b", "200", false}});
    QTest::mouseClick(window->Button("apply"), Qt::LeftButton);
    ASSERT_EQ(view.XLines().size(), 2);

    QTest::mouseClick(window->Button("addToTableX"), Qt::LeftButton);
    RecordingTable table;
    view.SetTableWindow(&table);
    QTest::mouseClick(window->Button("addToTableY"), Qt::LeftButton);
    window->XList()->selectAll();
    QTest::mouseClick(window->Button("addToTableX"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList({"Table is not opened!", "Select Y line to add to table!"}));
    ASSERT_EQ(table.added.size(), 2);
    EXPECT_EQ(table.added[0], qMakePair(100.0f, ConstLineKind::X));
    EXPECT_EQ(table.added[1], qMakePair(200.0f, ConstLineKind::X));

    // A line moved on the chart: the window's copy follows.
    emit view.constLineMoved(true, "b", 300);
    EXPECT_EQ(window->Lines().xLines()[1].x1, 300.0f);
    EXPECT_EQ(window->XList()->item(1, 1)->text(), "300");

    window->XList()->selectAll();
    QTest::mouseClick(window->Button("removeX"), Qt::LeftButton);
    EXPECT_EQ(window->XList()->rowCount(), 0);
    QTest::mouseClick(window->Button("close"), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(view.XLines().size(), 2); // removed but never applied
    view.SetTableWindow(nullptr);
}

TEST_F(ConstLinesWindow, TheViewHoldsOneWindowUntilTheTypeChanges)
{
    delete window.data();
    window = CConstLinesDlg::Open(view, nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(view.ConstLinesWindow(), window.data());
    EXPECT_EQ(CConstLinesDlg::Open(view, nullptr), nullptr);
    view.SetCharacteristic(sample.types->findType("Cut-Off Current"), true);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(view.ConstLinesWindow(), nullptr);
}
