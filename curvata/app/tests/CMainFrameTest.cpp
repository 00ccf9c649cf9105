#include "CMainFrame.h"
#include "AppSettings.h"
#include "Artifacts.h"
#include "CAboutDlg.h"
#include "CRuzozuvovApp.h"
#include "CSplashDlg.h"
#include "CurvataPicture.h"
#include "FuseDatabaseLocation.h"
#include "FuseModel.h"
#include "MessageBoxService.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A working directory with the database in fuseDbDir/fuse, as installed.
bool installFixture(const QString& name, const QString& workingDirectory)
{
    const QDir from(QStringLiteral(FIXTURE_DIR) + QLatin1Char('/') + name);
    const QString to = workingDirectory + QStringLiteral("/fuseDbDir/fuse");
    if (!QDir().mkpath(to))
        return false;
    for (const QString& file : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(file), to + QLatin1Char('/') + file))
            return false;
    }
    return true;
}

QString labelText(const QWidget& parent, const char* name)
{
    const auto* label = parent.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

} // namespace

TEST(CMainFrame, RefusesToExistWithoutAValidDatabase)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir empty;
    CMainFrame frame;
    EXPECT_FALSE(frame.Create(empty.path()));
    EXPECT_EQ(boxes.texts(), QStringList{"Please open valid database."});
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].buttons, MessageBoxService::Ok);

    // A table list without "tocka" is not valid either.
    QTemporaryDir incomplete;
    ASSERT_TRUE(installFixture("no-tocka", incomplete.path()));
    boxes.clear();
    CMainFrame second;
    EXPECT_FALSE(second.Create(incomplete.path()));
    EXPECT_EQ(boxes.texts(), QStringList{"Please open valid database."});
}

TEST(CRuzozuvovApp, EndsWhenTheDatabaseCheckFails)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir empty;
    CRuzozuvovApp app;
    app.SetWorkingDirectory(empty.path());
    app.SetSplashPause(0);
    bool splashSeen = false;
    app.SetSplashObserver([&](CSplashDlg&) { splashSeen = true; });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.MainFrame(), nullptr);
    EXPECT_FALSE(splashSeen);
    EXPECT_EQ(boxes.texts(), QStringList{"Please open valid database."});
}

TEST(CSplashDlg, ShowsNameVersionAndStatusWithoutACaption)
{
    CSplashDlg splash;
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(labelText(splash, "name"), "Curvata Application");
    EXPECT_EQ(labelText(splash, "version"), "Version 1.4.1");
    EXPECT_EQ(splash.Status(), "Loading database ......");
    splash.SetStatus("Curvata Database loaded.");
    EXPECT_EQ(labelText(splash, "status"), "Curvata Database loaded.");
    Artifacts::save(&splash, "curvata-splash");

    const QImage picture = CurvataPicture::Picture();
    EXPECT_EQ(picture.size(), QSize(108, 90));
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(255, 255, 255));
    Artifacts::save(picture, "curvata-picture");
}

TEST(CAboutDlg, ShowsTitleVersionAndOk)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Curvata");
    EXPECT_EQ(labelText(about, "version"), "Curvata Version 1.4.1");
    const auto* buttons = about.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok);
    const auto* icon = about.findChild<QLabel*>("icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    about.show();
    Artifacts::save(&about, "curvata-about");
}

TEST(CRuzozuvovApp, LoadsTheDatabaseOnceAndNeverReloads)
{
    QTemporaryDir root;
    ASSERT_TRUE(installFixture("basic", root.path()));
    CRuzozuvovApp app;
    app.SetWorkingDirectory(root.path());
    EXPECT_EQ(app.DatabaseDirectory(), root.path() + "/fuseDbDir/fuse");

    const FuseDatabase& db = app.FuseDb();
    EXPECT_EQ(db.fuseCount(), 3);
    const CharacteristicTypeTable& types = app.CharacteristicTypes();
    EXPECT_EQ(types.count(), 2);
    // The loader took its types from the application's table.
    EXPECT_EQ(db.fuse(0)->characteristic(0)->type(), types.type(0));

    // Later changes to the files are not seen.
    ASSERT_TRUE(QFile::remove(app.DatabaseDirectory() + "/vars.rec"));
    EXPECT_EQ(&app.FuseDb(), &db);
    EXPECT_EQ(app.FuseDb().fuseCount(), 3);
    EXPECT_EQ(&app.CharacteristicTypes(), &types);
}

TEST(CRuzozuvovApp, StartsUpLoadingTheDatabaseBehindTheSplash)
{
    ScriptedMessageBoxes boxes;
    QTemporaryDir root;
    ASSERT_TRUE(installFixture("basic", root.path()));
    qputenv("CURVATA_SPLASH_PAUSE_MS", "150");
    CRuzozuvovApp app;
    qunsetenv("CURVATA_SPLASH_PAUSE_MS");
    EXPECT_EQ(app.SplashPause(), 150);
    app.SetWorkingDirectory(root.path());

    QStringList statuses;
    bool frameShownFirst = true;
    bool loadedWhenDone = false;
    app.SetSplashObserver([&](CSplashDlg& splash) {
        statuses << splash.Status();
        frameShownFirst = frameShownFirst && app.MainFrame() && app.MainFrame()->isVisible();
        EXPECT_TRUE(splash.isVisible());
        if (statuses.size() == 2)
            loadedWhenDone = app.FuseDb().fuseCount() == 3;
        Artifacts::save(&splash, QStringLiteral("curvata-splash-%1").arg(statuses.size()));
    });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(app.InitInstance());
    EXPECT_GE(clock.elapsed(), 150); // the pause ran before the splash went away

    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(statuses, (QStringList{"Loading database ......", "Curvata Database loaded."}));
    EXPECT_TRUE(frameShownFirst);
    EXPECT_TRUE(loadedWhenDone);
    EXPECT_TRUE(app.MainFrame()->findChildren<CSplashDlg*>().isEmpty()); // destroyed

    CMainFrame* frame = app.MainFrame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Untitled - Curvata");
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_NE(frame->View(), nullptr);
    EXPECT_EQ(frame->DatabaseDirectory(), root.path() + "/fuseDbDir/fuse");
    EXPECT_EQ(FuseDatabaseLocation::directory(), frame->DatabaseDirectory());
    EXPECT_EQ(app.CharacteristicTypes().count(), 2);

    EXPECT_TRUE(app.Settings()->fileName().contains("Local AppWizard-Generated Applications"))
        << app.Settings()->fileName().toStdString();
    EXPECT_EQ(app.Settings()->recentFileListSize(), 4);
    frame->resize(640, 480);
    Artifacts::save(frame, "curvata-main-frame");

    // Help > About opens the modal box; answer it as a person would.
    QString aboutTitle;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        aboutTitle = modal->windowTitle();
        Artifacts::save(modal, "curvata-about-from-menu");
        if (auto* buttons = modal->findChild<QDialogButtonBox*>())
            buttons->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_NE(frame->AboutAction(), nullptr);
    frame->AboutAction()->trigger();
    EXPECT_EQ(aboutTitle, "About Curvata");
}
