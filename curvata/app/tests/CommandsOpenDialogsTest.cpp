// The frame's commands reach the selection and Const Lines windows: the
// whole way from "Select fuses" to a chart, on the sample database.
#include "Artifacts.h"
#include "CConstLinesDlg.h"
#include "CIzbrKarakteristikoDlg.h"
#include "CMainFrame.h"
#include "CRuzozuvovApp.h"
#include "CRuzozuvovDlg.h"
#include "CRuzozuvovView.h"
#include "FuseModel.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Calls `step` with the modal window of type T once it is up.
template <class T> void whenShown(std::function<void(T&)> step)
{
    QTimer::singleShot(0, [step]() {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
            step(*window);
        else
            whenShown<T>(step);
    });
}

void choose(QListWidget* list, const QString& text)
{
    list->clearSelection();
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    items.first()->setSelected(true);
    list->setCurrentItem(items.first());
}

} // namespace

TEST(CurvataCommands, SelectFusesThenTypeThenConstLines)
{
    CRuzozuvovApp app;
    app.SetWorkingDirectory(QStringLiteral(SAMPLE_DIR "/curvata"));
    app.SetSplashPause(0);
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    CRuzozuvovView* view = frame->ChartView();
    ASSERT_TRUE(view);
    EXPECT_FALSE(frame->Action(32791)->isEnabled()); // no fuse: no Const Lines

    whenShown<CRuzozuvovDlg>([](CRuzozuvovDlg& fuses) {
        choose(fuses.LeftList(), "+D fuse links");
        fuses.MoveRightButton()->click();
        whenShown<CIzbrKarakteristikoDlg>([](CIzbrKarakteristikoDlg& types) {
            choose(types.List(), "Time-Current");
            types.OkButton()->click();
        });
        fuses.OkButton()->click();
    });
    frame->Action(32771)->trigger();
    ASSERT_FALSE(view->Fuses().empty());
    EXPECT_EQ(view->Fuses().front()->group()->parent()->name(), "D gG");
    ASSERT_TRUE(view->CurrentCharacteristic());
    EXPECT_EQ(view->CurrentCharacteristic()->name(), "Time-Current");

    whenShown<CIzbrKarakteristikoDlg>([](CIzbrKarakteristikoDlg& types) {
        EXPECT_EQ(types.List()->currentItem()->text(), "Time-Current");
        choose(types.List(), "Cut-Off Current");
        types.OkButton()->click();
    });
    frame->Action(32781)->trigger();
    EXPECT_EQ(view->CurrentCharacteristic()->name(), "Cut-Off Current");

    frame->Action(32791)->trigger();
    auto* lines = qobject_cast<CConstLinesDlg*>(view->ConstLinesWindow());
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->isVisible());
    Artifacts::save(frame, "curvata-frame-with-fuses");
}
