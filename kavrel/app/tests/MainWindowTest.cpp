#include "Artifacts.h"
#include "CatalogueTreeModel.h"
#include "KavrelConfig.h"
#include "KavrelMain.h"
#include "MainCaptions.h"
#include "MessageBoxService.h"
#include "SegmentColours.h"
#include "SmallCatalogue.h"
#include "TDBX.h"
#include "TFStart.h"
#include "TOkno2.h"
#include "QtTranslations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QTranslator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QString reinstallText =
    QStringLiteral("Ponovno namestite !-Install again !-Bitte nochmal Instalieren !");
const QString reinstallTitle = QStringLiteral("POZOR! ATTENTION!  ACHTUNG!");

void expectReinstall(const ScriptedMessageBoxes& boxes)
{
    EXPECT_FALSE(KavrelMain::startValues().has_value());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).text, reinstallText);
    EXPECT_EQ(boxes.shown().at(0).title, reinstallTitle);
    EXPECT_EQ(boxes.shown().at(0).buttons, MessageBoxService::Ok | MessageBoxService::Cancel);
}

QStringList captionsOf(const TFStart& f)
{
    return {f.windowTitle(),
            f.BtnSearch1->text(),
            f.BtnHelp1->text(),
            f.BtnPDF->text(),
            f.BtnData->text(),
            f.BtnAcad->text(),
            f.PageControl1->tabText(0),
            f.PageControl1->tabText(1),
            f.SelBox->itemText(0),
            f.SelBox->itemText(1),
            f.SelBox->itemText(2)};
}

void showAndSave(TFStart& form, const QString& name)
{
    form.show();
    form.VST1->expand(form.treeModel()->index(0, 0));
    Artifacts::save(&form, name);
}

} // namespace

TEST(Configuration, ReinstallWhenTheBootstrapLacksTheSection)
{
    SmallCatalogue cat; // the configuration file exists and is complete
    cat.writeBootstrap("[OTHER]\r\nINI=" + cat.configPath().toUtf8() + "\r\n");
    ScriptedMessageBoxes boxes;
    expectReinstall(boxes);
    // A window given the incomplete values opens no catalogue either.
    TFStart form(KavrelConfig::readStart());
    EXPECT_FALSE(form.createDataModule());
    EXPECT_EQ(form.dataModule(), nullptr);
    EXPECT_EQ(KavrelConfig::path(), QStringLiteral("NAPAKA"));
    // Nothing may be written while the configuration is unknown, and the
    // caller learns why.
    QString why;
    EXPECT_FALSE(KavrelConfig::writeString(QStringLiteral("X"), QStringLiteral("Y"),
                                           QStringLiteral("Z"), &why));
    EXPECT_TRUE(why.contains(QStringLiteral("INI"))) << why.toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("NAPAKA")));
}

TEST(Configuration, ReinstallWhenLanguageOrDataDirectoryIsMissing)
{
    SmallCatalogue cat;
    {
        cat.writeConfig(QString(), cat.dataDir(), cat.dbDir());
        ScriptedMessageBoxes boxes;
        boxes.answer(MessageBoxService::Cancel); // either button ends the program
        expectReinstall(boxes);
    }
    {
        cat.writeConfig(QStringLiteral("ANG"), QString(), cat.dbDir());
        ScriptedMessageBoxes boxes;
        expectReinstall(boxes);
    }
    {
        // A configuration path that leads nowhere reads as a file without keys.
        cat.writeBootstrap("[KAVREL]\r\nINI=" + cat.dir().toUtf8() + "/none.ini\r\n");
        ScriptedMessageBoxes boxes;
        expectReinstall(boxes);
    }
}

TEST(MainWindow, CaptionsByLanguage)
{
    SmallCatalogue cat;
    ScriptedMessageBoxes boxes;
    const QStringList english = {"KAVREL d.d. Electronic catalogue",
                                 "Search",
                                 "Help",
                                 "PDF Catalogue",
                                 "Technical Data PDF",
                                 "Autocad support",
                                 "Data",
                                 "Certificates",
                                 "Building and industry",
                                 "Energy",
                                 "Semiconductor protection"};
    for (const char* code : {"ANG", "NEM", "POL", "XYZ"}) {
        cat.writeConfig(QString::fromLatin1(code), cat.dataDir(), cat.dbDir());
        TFStart form(KavrelConfig::readStart());
        EXPECT_EQ(captionsOf(form), english) << code;
        EXPECT_FALSE(MainCaptions::forLanguage(QString::fromLatin1(code)).eastEuropean);
    }
    cat.writeConfig(QStringLiteral("HRV"), cat.dataDir(), cat.dbDir());
    {
        TFStart form(KavrelConfig::readStart());
        EXPECT_EQ(captionsOf(form),
                  QStringList({"KAVREL d.d. Elektronski katalog", "Traži", "Pomoć", "PDF Katalog",
                               "PDF tehnički podaci", "Autocad potpora", "Podaci", "Certifikati",
                               "Zgrade i industrija", "Energija", "Zaštita poluprovodnika"}));
        form.createDataModule();
        showAndSave(form, QStringLiteral("kavrel-main-HRV"));
    }
    cat.writeConfig(QStringLiteral("SLO"), cat.dataDir(), cat.dbDir());
    {
        TFStart form(KavrelConfig::readStart());
        EXPECT_EQ(captionsOf(form),
                  QStringList({"KAVREL d.d. Elektronski katalog", "Išči", "Pomoč", "PDF Katalog",
                               "PDF tehnični podatki", "Autocad podpora", "Podatki", "Certifikati",
                               "Zgradbe in industrija", "Energetika", "Zaščtita polprevodnikov"}));
        EXPECT_TRUE(MainCaptions::forLanguage(QStringLiteral("SLO")).eastEuropean);
        form.createDataModule();
        showAndSave(form, QStringLiteral("kavrel-main-SLO"));
    }
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(MainWindow, LayoutAndControls)
{
    SmallCatalogue cat;
    ScriptedMessageBoxes boxes;
    TFStart form(KavrelConfig::readStart());
    form.createDataModule();
    form.show();
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_EQ(form.LeftPanel->width(), 370);
    EXPECT_EQ(form.Splitter1->orientation(), Qt::Horizontal);
    EXPECT_EQ(form.Splitter2->orientation(), Qt::Vertical);
    EXPECT_FALSE(form.Banner->pixmap().isNull());
    EXPECT_EQ(form.BtnSearch1->icon().isNull(), false);
    // The banner stands above the tree, the buttons above the tabs.
    EXPECT_LT(form.Banner->geometry().bottom(), form.VST1->geometry().top() + 1);
    const QPoint pdf = form.BtnPDF->mapTo(&form, QPoint());
    const QPoint tabs = form.PageControl1->mapTo(&form, QPoint());
    const QPoint picture = form.ImgView1->mapTo(&form, QPoint());
    EXPECT_LT(picture.y(), pdf.y());
    EXPECT_LT(pdf.y(), tabs.y());
    EXPECT_GT(form.SelBox->mapTo(&form, QPoint()).x(), form.BtnHelp1->mapTo(&form, QPoint()).x());
    EXPECT_EQ(form.PageControl1->widget(0), form.TabGeneral);
    EXPECT_EQ(form.PageControl1->widget(1), form.TabCert);
    EXPECT_TRUE(form.VST1->expandsOnDoubleClick());
    EXPECT_EQ(form.VST1->editTriggers(), QAbstractItemView::NoEditTriggers);

    // Values offered to the other windows.
    EXPECT_EQ(form.languageCode(), QStringLiteral("ANG"));
    EXPECT_EQ(form.dataDir(), cat.dataDir());
    EXPECT_EQ(form.databaseDir(), cat.dbDir());
    EXPECT_EQ(form.pictureDir(), cat.dataDir() + QStringLiteral("\\BMP"));
    EXPECT_FALSE(form.workbenchShown());

    QSignalSpy acad(&form, &TFStart::acadRequested);
    form.BtnAcad->click();
    EXPECT_EQ(acad.count(), 1);
}

TEST(MainWindow, ScreenshotsOfEverySegment)
{
    SmallCatalogue cat;
    ScriptedMessageBoxes boxes;
    TFStart form(KavrelConfig::readStart());
    form.createDataModule();
    form.show();
    for (int segment = 0; segment < 3; ++segment) {
        form.selectSegment(segment);
        if (form.treeModel()->rowCount() > 0)
            form.VST1->expand(form.treeModel()->index(0, 0));
        const QImage shot = form.grab().toImage();
        Artifacts::save(shot, QStringLiteral("kavrel-main-segment-%1").arg(segment));
        // Colour A shows in the right-hand area below the tabs' buttons.
        const QPoint inRight =
            form.RightArea->mapTo(&form, QPoint(2, form.RightArea->height() - 2));
        EXPECT_EQ(shot.pixelColor(inRight), SegmentColours::a(segment)) << segment;
    }
}

TEST(MainWindow, TableFailureIsReportedAndTheProgramGoesOn)
{
    SmallCatalogue cat;
    QFile::remove(cat.dbDir() + QStringLiteral("/T2.CDS"));
    ScriptedMessageBoxes boxes;
    TFStart form(KavrelConfig::readStart());
    EXPECT_FALSE(form.createDataModule());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().at(0).text.contains(QStringLiteral("T2.CDS")));
    EXPECT_EQ(form.treeModel()->rowCount(), 0);
    form.selectSegment(2); // still usable
    form.show();
    Artifacts::save(&form, QStringLiteral("kavrel-main-table-failure"));

    // The certificate table opens with its tab; the window reports its failure.
    QFile::remove(cat.dbDir() + QStringLiteral("/cert.cds"));
    form.PageControl1->setCurrentWidget(form.TabCert);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(boxes.shown().at(1).text.contains(QStringLiteral("cert.cds")));
    EXPECT_EQ(boxes.shown().at(1).title, form.windowTitle());
    EXPECT_FALSE(form.dataModule()->isCertOpen());
}

TEST(MainWindow, SplashWindow)
{
    TOkno2 splash;
    splash.showNow();
    EXPECT_EQ(splash.size(), QSize(748, 320));
    const QImage shot = splash.grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::black));
    Artifacts::save(shot, QStringLiteral("kavrel-splash"));
}

TEST(MainWindow, QtOwnTextsFollowTheLanguage)
{
    const auto cancelText = [] {
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        return buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
    };
    ASSERT_EQ(cancelText(), QStringLiteral("Cancel"));
    EXPECT_EQ(QtTranslations::install(QStringLiteral("ANG")), nullptr);
    for (const char* code : {"SLO", "HRV", "NEM", "POL"}) {
        const std::unique_ptr<QTranslator> texts = QtTranslations::install(QString::fromLatin1(code));
        ASSERT_NE(texts, nullptr) << code;
        EXPECT_NE(cancelText(), QStringLiteral("Cancel")) << code;
        if (QByteArray(code) == "NEM") {
            EXPECT_EQ(cancelText(), QStringLiteral("Abbrechen"));
        }
    }
    // Gone with its object.
    EXPECT_EQ(cancelText(), QStringLiteral("Cancel"));
}
