// The workbench window with a real drawing host: the connect button, the
// symbol button with the person's pick, the close with an unsaved drawing.
#include "Artifacts.h"
#include "BomRows.h"
#include "HostFixture.h"
#include "MessageBoxService.h"
#include "PrivateProfile.h"
#include "TForm6.h"
#include "TNastavitve.h"
#include "WorkbenchCad.h"

#include <QCloseEvent>
#include <QDBusObjectPath>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class WorkbenchCadWindow : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        startHost(QStringLiteral("17"));
        WorkbenchHost h;
        h.language = QStringLiteral("ANG");
        h.databaseDir = m_dir.filePath(QStringLiteral("db"));
        h.programDir = m_dir.path() + u'/';
        h.programFile = QStringLiteral("kavrel");
        QDir().mkpath(h.databaseDir + QStringLiteral("/SYM"));
        const QString ini = m_dir.filePath(QStringLiteral("KAVREL.INI"));
        h.config = {[ini](const QString& s, const QString& k, const QString& d) {
                        return PrivateProfile::getString(s, k, d, ini);
                    },
                    [ini](const QString& s, const QString& k, const QString& v) {
                        return PrivateProfile::writeString(s, k, v, ini);
                    }};
        h.focusedProduct = [] {
            return std::optional<CatalogueProduct>({QStringLiteral("1110100"),
                                                    QStringLiteral("NH00 gG 10 A"), 4.2});
        };
        h.drawingsOf = [](const QString&) {
            return ProductDrawings{QStringLiteral("KS_FUSE"), QString(), QString()};
        };
        settings = std::make_unique<TNastavitve>(nullptr, h);
        settings->load();
        form = std::make_unique<TForm6>(nullptr, h, settings.get());
        settings->setWorkbench(form.get());
        cad = new WorkbenchCad(*form, settings.get(), nullptr,
                               std::make_unique<DBusAcadBinder>(m_bus->connection(), binderOptions()));
        // The symbol's drawing, written by the host.
        const QDBusObjectPath scratch =
            control(QStringLiteral("17"), QStringLiteral("NewDocument")).arguments().value(0).value<QDBusObjectPath>();
        control(QStringLiteral("17"), QStringLiteral("SaveAs"), {h.databaseDir + QStringLiteral("/SYM/KS_FUSE.dxf")});
        control(QStringLiteral("17"), QStringLiteral("CloseDocument"), {QVariant::fromValue(scratch), false});
    }
    void TearDown() override
    {
        form.reset();
        settings.reset();
        HostFixture::TearDown();
    }

    std::unique_ptr<TNastavitve> settings;
    std::unique_ptr<TForm6> form;
    WorkbenchCad* cad = nullptr; // owned by the form
};

TEST_F(WorkbenchCadWindow, ConnectInsertAndCloseWithAnUnsavedDrawing)
{
    ScriptedMessageBoxes boxes;
    form->show();
    control(QStringLiteral("17"), QStringLiteral("NewDocument"));
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    ASSERT_TRUE(cad->connection().isConnected()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_TRUE(form->SpeedButton1->isChecked());
    EXPECT_EQ(form->SpeedButton1->toolTip(), QStringLiteral("Disconnect from AutoCAD"));
    cad->connection().tick();
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Connected to: ")));
    EXPECT_FALSE(form->ScanBtn->isEnabled()) << "bound from the next tick on";
    cad->connection().tick();
    EXPECT_TRUE(form->ScanBtn->isEnabled());
    ASSERT_TRUE(form->BtnSYM->isEnabled());
    EXPECT_FALSE(form->BtnDIM->isEnabled()) << "the product has no dimension drawing";

    for (double x : {10.0, 30.0}) {
        QTimer::singleShot(0, [&] {
            EXPECT_FALSE(form->isVisible()) << "hidden while the person picks";
            control(QStringLiteral("17"), QStringLiteral("PickPoint"), {x, 10.0});
        });
        QTest::mouseClick(form->BtnSYM, Qt::LeftButton);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(form->model().tables().TNar.recordCount(), 2);
    EXPECT_EQ(form->model().currentBomType(), QStringLiteral("S"));
    Artifacts::save(form.get(), QStringLiteral("workbench-cad-connected"));
    control(QStringLiteral("17"), QStringLiteral("Screenshot"),
            {Artifacts::directory() + QStringLiteral("/cadhost-with-symbols.png")});

    // Closing with the schematic unsaved: OK goes back to the drawing.
    boxes.answer(MessageBoxService::Ok);
    QCloseEvent close;
    QCoreApplication::sendEvent(form.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown()[0].text.contains(form->model().currentBomName()));
    EXPECT_EQ(form->model().tables().TNar.recordCount(), 2) << "nothing discarded";
    // The refused close still saves and writes the placement: the person
    // may never come back to close the workbench.
    EXPECT_EQ(PrivateProfile::getString(QStringLiteral("OknoKosovnica"), QStringLiteral("Width"),
                                        QString(), m_dir.filePath(QStringLiteral("KAVREL.INI"))),
              QString::number(form->width()));
}
