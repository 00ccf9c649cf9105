// The main frame's commands: one action per command shared by menu and
// toolbar, states that follow the view, the hooks the dialogs plug into,
// the status bar's panes, the recent files, export and print preview.
#include "AppSettings.h"
#include "Artifacts.h"
#include "CExportChartDlg.h"
#include "CMainFrame.h"
#include "ChartCommandState.h"
#include "MessageBoxService.h"
#include "QtPrinters.h"
#include "ViewTestData.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using Cmd = ChartCommandState;

struct FrameFixture : ::testing::Test
{
    QTemporaryDir root;
    ViewTestData data;
    CMainFrame frame;
    CRuzozuvovView* view = nullptr;

    void SetUp() override
    {
        // A table list is all the database check reads.
        const QString db = root.path() + "/fuseDbDir/fuse";
        ASSERT_TRUE(QDir().mkpath(db));
        ASSERT_TRUE(QFile::copy(QStringLiteral(FIXTURE_DIR) + "/basic/fuse", db + "/fuse"));
        ASSERT_TRUE(frame.Create(root.path()));
        view = new CRuzozuvovView;
        frame.SetView(view);
        frame.resize(900, 650);
        frame.show();
        // Shortcuts reach only the active window.
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    void showChart()
    {
        view->SetFuses(data.list());
        view->SetCharacteristic(&data.type, true);
    }
    bool enabled(int id) const { return frame.Action(id)->isEnabled(); }
    bool checked(int id) const { return frame.Action(id)->isChecked(); }
    QMenu* menu(const QString& title) const
    {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }
};

} // namespace

TEST_F(FrameFixture, EachCommandIsOneActionInMenuAndToolbar)
{
    EXPECT_EQ(frame.Action(Cmd::SelectFusesButton), frame.Action(Cmd::SelectFuses));
    EXPECT_EQ(frame.Action(Cmd::DrawTableButton), frame.Action(Cmd::DrawTable));
    const QList<QAction*> buttons = frame.ToolBar()->actions();
    int separators = 0;
    for (QAction* button : buttons) {
        if (button->isSeparator()) {
            ++separators;
            continue;
        }
        EXPECT_FALSE(button->icon().pixmap(18, 18).isNull()) << button->text().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_FALSE(button->statusTip().isEmpty());
    }
    EXPECT_EQ(buttons.size() - separators, 10);
    EXPECT_EQ(separators, 4);
    EXPECT_TRUE(menu("Actions")->actions().contains(frame.Action(Cmd::SelectFuses)));
    EXPECT_TRUE(buttons.contains(frame.Action(Cmd::SelectFuses)));
    EXPECT_TRUE(menu("&Zoom")->actions().contains(frame.Action(Cmd::ZoomIn)));
    EXPECT_TRUE(buttons.contains(frame.Action(Cmd::ZoomIn)));
    // "In" shows its key text but binds no key.
    EXPECT_TRUE(frame.Action(Cmd::ZoomIn)->shortcut().isEmpty());
    EXPECT_EQ(frame.Action(Cmd::EditUndo)->shortcuts().size(), 2);
    EXPECT_EQ(frame.windowTitle(), "Untitled - Curvata");
}

TEST_F(FrameFixture, CommandStatesFollowTheView)
{
    for (int id : {Cmd::EditUndo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::ZoomOut,
                   Cmd::ZoomDrag, Cmd::MoveConstLines, Cmd::ManageConstLines,
                   Cmd::FileExportChart})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(checked(Cmd::ZoomNone));
    EXPECT_TRUE(checked(Cmd::ViewToolbar) && checked(Cmd::ViewStatusBar));

    showChart();
    EXPECT_TRUE(enabled(Cmd::ManageConstLines));
    EXPECT_TRUE(enabled(Cmd::FileExportChart));
    view->XLines().append(ConstLine::xLine("In", 100, 1, 10, Qt::black));
    frame.UpdateCommandStates();
    EXPECT_TRUE(enabled(Cmd::MoveConstLines));

    frame.Action(Cmd::ZoomIn)->trigger();
    EXPECT_TRUE(checked(Cmd::ZoomIn));
    EXPECT_FALSE(checked(Cmd::ZoomNone));
    EXPECT_TRUE(enabled(Cmd::ZoomOut) && enabled(Cmd::ZoomDrag));
    frame.Action(Cmd::Legend)->trigger();
    EXPECT_FALSE(checked(Cmd::Legend));
    EXPECT_FALSE(view->Chart().Legend());
    frame.Action(Cmd::MoveConstLines)->trigger();
    EXPECT_TRUE(checked(Cmd::MoveConstLines));
    frame.Action(Cmd::ZoomNone)->trigger();
    EXPECT_FALSE(enabled(Cmd::ZoomOut) || enabled(Cmd::ZoomDrag));
    // Edit stays disabled even when asked through its shortcut.
    QTest::keyClick(&frame, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(enabled(Cmd::EditPaste));
}

TEST_F(FrameFixture, HooksRunOrTheStatusBarSaysTheyAreMissing)
{
    ScriptedMessageBoxes boxes;
    frame.Action(Cmd::SelectFuses)->trigger();
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("not available"));

    QStringList calls;
    auto record = [&](const char* name) {
        return [&calls, name](CRuzozuvovView&) { calls << name; };
    };
    frame.Hooks().selectFuses = record("fuses");
    frame.Hooks().drawTable = record("table");
    frame.Hooks().manageConstLines = record("lines");
    frame.Hooks().fileSave = record("save");
    frame.Action(Cmd::SelectFusesButton)->trigger();
    // No fuse: the table is refused before its hook runs.
    frame.Action(Cmd::DrawTable)->trigger();
    EXPECT_EQ(boxes.texts(), QStringList{"There are no fuses selected!"});
    EXPECT_EQ(boxes.shown()[0].title, "Curvata");

    showChart();
    frame.Action(Cmd::DrawTableButton)->trigger();
    // An open table is brought to the front instead.
    QWidget table;
    table.show();
    view->SetTableWindow(&table);
    frame.Action(Cmd::DrawTable)->trigger();
    frame.Action(Cmd::ManageConstLines)->trigger();
    auto* lines = new QWidget(view);
    view->SetConstLinesWindow(lines);
    frame.Action(Cmd::ManageConstLines)->trigger();
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(calls, (QStringList{"fuses", "table", "lines", "save"}));
    EXPECT_EQ(boxes.shown().size(), 1);
}

TEST_F(FrameFixture, StatusBarReadoutAndIndicators)
{
    showChart();
    EXPECT_EQ(frame.findChild<QLabel*>("pane0")->text(), "Ready");
    EXPECT_EQ(frame.ReadoutPane()->width(), 200);
    for (int i = 0; i < 3; ++i) {
        const QString text = frame.IndicatorPane(i)->text();
        EXPECT_TRUE(text.isEmpty() || text == QStringList({"CAP", "NUM", "SCRL"})[i]);
    }
    QTest::mouseMove(view->viewport(), QPoint(300, 200));
    const QString first = frame.ReadoutPane()->text();
    EXPECT_TRUE(first.startsWith("(")) << first.toStdString();

    frame.Action(Cmd::ViewStatusBar)->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
    EXPECT_FALSE(checked(Cmd::ViewStatusBar));
    QTest::mouseMove(view->viewport(), QPoint(500, 400));
    frame.Action(Cmd::ViewStatusBar)->trigger();
    EXPECT_TRUE(frame.statusBar()->isVisible());
    const QString later = frame.ReadoutPane()->text();
    EXPECT_NE(later, first);
    EXPECT_EQ(later, view->CursorReadout());

    frame.Action(Cmd::ViewToolbar)->trigger();
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    frame.Action(Cmd::ViewToolbar)->trigger();
    EXPECT_TRUE(frame.ToolBar()->isVisible());
}

TEST_F(FrameFixture, RecentFilesOpenThroughTheDocument)
{
    AppSettings settings("Local AppWizard-Generated Applications", "Curvata");
    settings.setRecentFileListSize(4);
    settings.addRecentFile(root.filePath("a.cvp"));
    settings.addRecentFile(root.filePath("b.cvp"));
    frame.SetSettings(&settings);
    frame.UpdateRecentFiles();
    QStringList captions;
    QAction* first = nullptr;
    for (QAction* a : frame.FileMenu()->actions()) {
        if (a->isVisible() && a->text().startsWith("&")) {
            captions << a->text();
            first = first ? first : (a->text().startsWith("&1") ? a : nullptr);
        }
    }
    EXPECT_TRUE(captions.contains("&1 b.cvp"));
    EXPECT_TRUE(captions.contains("&2 a.cvp"));
    QString opened;
    frame.Hooks().openRecentFile = [&](CRuzozuvovView&, const QString& path) { opened = path; };
    ASSERT_NE(first, nullptr);
    first->trigger();
    EXPECT_EQ(opened, root.filePath("b.cvp"));
}

TEST_F(FrameFixture, ExportWritesTheChosenFormatAndSize)
{
    showChart();
    const QString base = root.filePath("exported");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CExportChartDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->ChartSize(), view->viewport()->size()); // the view's size first
        dialog->FileField()->setText(base);
        dialog->FormatField()->setCurrentIndex(2);
        dialog->WidthField()->setValue(640);
        dialog->HeightField()->setValue(400);
        Artifacts::save(dialog, "curvata-export-dialog");
        // A label without a buddy would show its "&" instead of a mnemonic.
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        dialog->accept();
    });
    frame.Action(Cmd::FileExportChart)->trigger();
    QFile svg(base + ".svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("viewBox=\"0 0 640 400\""));
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("exported"));
    // The screen keeps its layout.
    EXPECT_EQ(view->ActiveChart().Geometry().frameRight, view->LogicalSize().width());
}

TEST_F(FrameFixture, ScreenshotsOfTheFrameAndThePrintPreview)
{
    showChart();
    view->YLines().append(ConstLine::yLine("t", 1, view->Chart().XMin(), view->Chart().XMax(),
                                           view->Chart().PaletteColour(3)));
    view->Redraw();
    Artifacts::save(&frame, "curvata-main-frame-chart");
    frame.Action(Cmd::ZoomIn)->trigger();
    frame.Action(Cmd::ZoomIn)->trigger();
    QApplication::processEvents(); // scroll bars show after the range change
    Artifacts::save(&frame, "curvata-main-frame-zoomed");
    frame.Action(Cmd::ZoomNone)->trigger();
    QApplication::processEvents(); // and hide again
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    frame.Action(Cmd::MoveConstLines)->trigger();
    const int lineY = view->ActiveChart().ToDevice(100, 1).y();
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(400, lineY));
    QTest::mouseMove(view->viewport(), QPoint(420, lineY - 60));
    Artifacts::save(&frame, "curvata-main-frame-move-mode");
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                        QPoint(420, lineY - 60));

    QString previewTitle;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        ASSERT_NE(preview, nullptr);
        previewTitle = preview->objectName();
        preview->resize(800, 900);
        QApplication::processEvents();
        Artifacts::save(preview, "curvata-print-preview");
        preview->close();
    });
    frame.Action(Cmd::FilePrintPreview)->trigger();
    EXPECT_EQ(previewTitle, "printPreview");
}
