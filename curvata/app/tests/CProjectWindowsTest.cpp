// The table of points window and the project document on the chart view:
// what the user types and clicks reaches the table, the chart and the
// files, and every failure is told.
#include "AppSettings.h"
#include "Artifacts.h"
#include "CConstLineList.h"
#include "CConstLinesDlg.h"
#include "CIzbrVarTableDlg.h"
#include "CRuzozuvovDoc.h"
#include "CRuzozuvovView.h"
#include "FuseModel.h"
#include "MessageBoxService.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Falling time-current curves for NH 16A, 32A, 48A; "Spare" has none.
struct Database
{
    FuseDatabase fuses;
    CharacteristicTypeTable types;
    const CharacteristicType* type = nullptr;

    Database()
    {
        type = types.append(CharacteristicType("Time-Current", AxisDefinition{"I [A]", true, 1, 100000},
                                               AxisDefinition{"t [s]", true, 0.001, 10000}));
        int id = 0;
        for (int rated : {16, 32, 48}) {
            Fuse* f = fuses.addFuse(QStringLiteral("NH %1A").arg(rated), QString::number(1000 + rated));
            Characteristic* c = f->appendCharacteristic(++id, type, fuses.pointMemory());
            const double points[][2] = {{1.6, 5000}, {3, 20}, {8, 0.2}, {20, 0.005}};
            for (const auto& p : points)
                c->appendPoint(CurvePoint{id, type->xPosition(rated * p[0]), type->yPosition(p[1])});
        }
        fuses.addFuse(QStringLiteral("Spare"), QStringLiteral("999"));
        fuses.finishBuilding();
    }
    std::vector<const Fuse*> all() const
    {
        return {fuses.fuses().begin(), fuses.fuses().end()};
    }
};

struct Windows : ::testing::Test
{
    Database db;
    CRuzozuvovView view;
    QTemporaryDir dir;

    void SetUp() override
    {
        view.resize(900, 650);
        view.SetFuses(db.all());
        view.SetCharacteristic(db.type, true);
    }
    static void processDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void typeInto(QTableView* grid, int row, int column, const QString& text)
{
    grid->setCurrentIndex(grid->model()->index(row, column));
    grid->edit(grid->currentIndex());
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits after the key
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST_F(Windows, TableOfPointsFollowsTheViewAndFeedsTheChart)
{
    ScriptedMessageBoxes boxes;
    CIzbrVarTableDlg* table = CIzbrVarTableDlg::OpenFor(view, nullptr);
    QPointer<CIzbrVarTableDlg> guard(table);
    ASSERT_EQ(view.TableWindow(), table);
    EXPECT_EQ(table->windowTitle(), "Time-Current");
    PointTableModel& model = table->Model();
    QTableView* grid = table->Grid();

    typeInto(grid, 0, 2, "100"); // NH 16A, current 100 A
    EXPECT_EQ(model.text(1, 2), "100");
    EXPECT_NE(model.text(1, 3), "NotDef.");
    EXPECT_EQ(model.text(4, 2), "NotDef."); // Spare: no curve, not editable
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(3, 2)) & Qt::ItemIsEditable);

    // Pasted from a spreadsheet into the selected cell.
    QApplication::clipboard()->setText("200\n300\n");
    grid->setCurrentIndex(grid->model()->index(1, 2));
    grid->selectionModel()->select(grid->currentIndex(), QItemSelectionModel::ClearAndSelect);
    table->OnPaste();
    EXPECT_EQ(model.text(2, 2), "200");
    EXPECT_EQ(model.text(3, 2), "300");

    table->Button("add")->click();
    EXPECT_EQ(model.gridColumnCount(), 6);
    // Remove needs a whole value column: one cell is not enough.
    table->Button("remove")->click();
    EXPECT_EQ(boxes.texts(), QStringList{"Select a column to remove!"});
    EXPECT_EQ(model.gridColumnCount(), 6);
    grid->selectColumn(5);
    table->Button("remove")->click();
    EXPECT_EQ(model.gridColumnCount(), 4);

    table->Button("toGraph")->click();
    EXPECT_EQ(view.TablePoints().size(), 3);
    // A fuse leaving the selection takes its row and its point with it.
    view.SetFuses({db.all()[0], db.all()[2]});
    EXPECT_EQ(model.gridRowCount(), 3);
    EXPECT_EQ(view.TablePoints().size(), 2);

    view.SetScientificScale(true);
    typeInto(grid, 0, 3, "1");
    EXPECT_EQ(model.text(1, 2).size(), 12);
    Artifacts::save(table, "curvata-table-of-points");

    // To File: the exact bytes, and a failure is told, not swallowed.
    const QString file = dir.filePath("points.txt");
    table->SetFileChooser([&](QWidget*, const CurvataFileDialog::Request& r) {
        EXPECT_EQ(r.filter, "Curvata Table of Points (*.txt)");
        return file;
    });
    table->OnToFile();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("Selected Fuse\tCatalogue Number\tI [A]1\tt [s]1\t\n"));
    EXPECT_EQ(bytes.count('\n'), 3);
    EXPECT_FALSE(bytes.contains('\r'));
    table->SetFileChooser([&](QWidget*, const CurvataFileDialog::Request&) {
        return dir.filePath("missing/points.txt");
    });
    boxes.clear();
    table->OnToFile();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("The table of points could not be written to"));

    // A type of another name clears the values (no fuse has it); no type
    // closes the table.
    CharacteristicType renamed("Other", db.type->xAxis(), db.type->yAxis());
    view.SetCharacteristic(&renamed, true);
    EXPECT_EQ(model.gridColumnCount(), 4);
    EXPECT_EQ(model.text(1, 2), "NotDef.");
    EXPECT_TRUE(view.TablePoints().isEmpty());
    view.SetCharacteristic(nullptr, true);
    processDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(view.TableWindow(), nullptr);
}

TEST_F(Windows, CloseTakesThePointsOffTheChart)
{
    CIzbrVarTableDlg* table = CIzbrVarTableDlg::OpenFor(view, nullptr);
    QPointer<CIzbrVarTableDlg> guard(table);
    table->Model().enterValue(1, 2, "100");
    table->OnToGraph();
    ASSERT_EQ(view.TablePoints().size(), 1);
    // Escape is the editor's; it must not close the window and lose the values.
    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_TRUE(table->isVisible());
    table->Button("close")->click();
    processDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(view.TablePoints().isEmpty());
}

TEST_F(Windows, ConstLinesWindowAddsItsValuesToTheOpenTable)
{
    ScriptedMessageBoxes boxes;
    view.XLines().append(ConstLine::xLine("In", 100, 0, 0, Qt::darkCyan));
    view.YLines().append(ConstLine::yLine("t", 0.2f, 0, 0, Qt::darkCyan));
    view.FitConstLinesToRange();
    CIzbrVarTableDlg* table = CIzbrVarTableDlg::OpenFor(view, nullptr);
    CConstLinesDlg* lines = CConstLinesDlg::Open(view, nullptr);
    ASSERT_NE(lines, nullptr);
    lines->XList()->selectRow(0);
    lines->Button("addToTableX")->click();
    lines->YList()->selectRow(0);
    lines->Button("addToTableY")->click();
    EXPECT_TRUE(boxes.texts().isEmpty());

    // Each line got a pair of its own; the partner cells were computed
    // (NH 16A crosses 100 A and 0.2 s on its curve), the fuse without a
    // curve stays undefined, and both values are saved as entered ones.
    const PointTableModel& model = table->Model();
    ASSERT_EQ(model.gridColumnCount(), 8);
    EXPECT_EQ(model.text(1, 4), "100.00000");
    EXPECT_TRUE(model.isUserEntered(1, 4));
    EXPECT_NE(model.text(1, 5), "NotDef.");
    EXPECT_EQ(model.text(1, 7), "0.20000");
    EXPECT_NE(model.text(1, 6), "NotDef.");
    EXPECT_EQ(model.text(4, 4), "NotDef.");
    lines->close();
    table->close();
    processDeletes();
}

TEST_F(Windows, ProjectIsSavedAndOpenedThroughTheDocument)
{
    ScriptedMessageBoxes boxes;
    AppSettings settings("Curvata test", "Curvata");
    CRuzozuvovDoc doc([&]() -> const FuseDatabase& { return db.fuses; },
                      [&]() -> const CharacteristicTypeTable& { return db.types; }, &settings);
    QString chosen;
    doc.SetFileChooser([&](QWidget*, const CurvataFileDialog::Request& r) {
        EXPECT_EQ(r.filter, "Curvata Project (*.cvp)");
        return chosen;
    });
    QStringList titles;
    doc.SetTitleObserver([&](const QString& t) { titles << t; });

    view.XLines().append(ConstLine::xLine("In", 100, 0, 0, Qt::darkCyan));
    view.FitConstLinesToRange();
    CIzbrVarTableDlg* table = CIzbrVarTableDlg::OpenFor(view, nullptr);
    table->Model().enterValue(1, 2, "100");
    table->Model().enterValue(3, 3, "1");

    chosen = dir.filePath("bad/p.cvp");
    doc.OnFileSave(view); // no path yet: Save As
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("The project could not be saved to"));
    EXPECT_TRUE(doc.PathName().isEmpty());

    chosen = dir.filePath("p.cvp");
    doc.OnFileSaveAs(view);
    EXPECT_EQ(doc.PathName(), chosen);
    EXPECT_EQ(titles.last(), "p.cvp");
    EXPECT_EQ(settings.recentFiles().value(0), chosen);

    doc.OnFileNew(view);
    processDeletes();
    EXPECT_TRUE(view.Fuses().empty());
    EXPECT_TRUE(view.XLines().isEmpty());
    EXPECT_EQ(view.TableWindow(), nullptr);
    EXPECT_EQ(titles.last(), "Untitled");
    boxes.clear();
    doc.OnFileSave(view);
    EXPECT_EQ(boxes.texts(), QStringList{"There is nothing to save!"});

    doc.OnOpenRecentFile(view, chosen);
    processDeletes();
    EXPECT_EQ(view.Fuses(), db.all());
    EXPECT_EQ(view.CurrentCharacteristic(), db.type);
    ASSERT_EQ(view.XLines().size(), 1);
    auto* reopened = qobject_cast<CIzbrVarTableDlg*>(view.TableWindow());
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Model().text(1, 2), "100");
    EXPECT_EQ(reopened->Model().text(3, 3), "1");
    reopened->OnToGraph();
    EXPECT_EQ(view.TablePoints().size(), 2);
    view.show();
    Artifacts::save(&view, "curvata-reopened-project");

    // Opening over a selection asks first; Cancel keeps everything.
    boxes.clear();
    boxes.answer(MessageBoxService::Cancel);
    chosen = dir.filePath("other.cvp");
    doc.OnFileOpen(view);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, "Do you want to save the changes to p.cvp?");
    EXPECT_EQ(view.Fuses().size(), 4u);

    // A file with a problem opens with what it can, then says what failed.
    QFile other(chosen);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Fuses]\r\nNH 16A=\r\nNH 99A=\r\n[Characteristic]\r\nTime-Current=\r\n");
    other.close();
    boxes.clear();
    boxes.answer(MessageBoxService::No);
    doc.OnFileOpen(view);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[1].text,
              "File opened with errors:\n\t- Fuse 'NH 99A' not found in the database.");
    EXPECT_EQ(boxes.shown()[1].icon, MessageBoxService::Warning);
    EXPECT_EQ(view.Fuses().size(), 1u);
    EXPECT_EQ(titles.last(), "other.cvp");
}
