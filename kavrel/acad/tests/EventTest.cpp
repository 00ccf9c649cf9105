// Events while the client waits for a pick, and a host that dies or hangs
// while the client waits for it.
#include "AcadEvents.h"
#include "HostFixture.h"

#include <QTimer>

#include <signal.h>

using Kind = AcadError::Kind;

namespace {
class EventTest : public HostFixture
{
protected:
    // Records every event of `events` as "<source> <Event> <argument>".
    void record(AcadEvents* events, const QString& source)
    {
        const auto add = [this, source](const QString& line) {
            log.append(source + u' ' + line + (picking ? QString() : QStringLiteral(" (late)")));
        };
        QObject::connect(events, &AcadEvents::beginCommand, [=](const QString& c) { add("BeginCommand " + c); });
        QObject::connect(events, &AcadEvents::endCommand, [=](const QString& c) { add("EndCommand " + c); });
        QObject::connect(events, &AcadEvents::beginSave, [=](const QString&) { add("BeginSave"); });
        QObject::connect(events, &AcadEvents::endSave, [=](const QString&) { add("EndSave"); });
        QObject::connect(events, &AcadEvents::objectErased, [=](qint64 id) { add("ObjectErased " + QString::number(id)); });
    }

    QStringList only(const QString& source) const
    {
        QStringList result;
        for (const QString& line : log)
            if (line.startsWith(source + u' '))
                result.append(line.mid(source.size() + 1));
        return result;
    }

    QStringList log;
    bool picking = false;
};
} // namespace

TEST_F(EventTest, EventsOfThePersonsActionsArriveInOrderWhileAPickWaits)
{
    startHost(QStringLiteral("17"));
    const AcadApplication app = bind();
    ASSERT_FALSE(app.isNull());
    const AcadDocument doc = newDocument(app);
    doc.object().call(QStringLiteral("SaveAs"), {m_dir.filePath(QStringLiteral("A.dxf"))});
    doc.addBlock({0, 0, 0}, QStringLiteral("B"));
    const AcadEntity ref = doc.insertBlock({0, 0, 0}, QStringLiteral("B"), 1, 1, 1, 0);
    std::unique_ptr<AcadEvents> appEvents = app.adviseEvents();
    const auto docEvents = doc.adviseEvents(app.versionCode());
    record(appEvents.get(), QStringLiteral("app"));
    record(docEvents.get(), QStringLiteral("doc"));

    const QString erased = QStringLiteral("ObjectErased ") + QString::number(ref.objectId());
    QString prompt;
    QTimer::singleShot(0, [&] {
        const QString code = QStringLiteral("17");
        prompt = control(code, QStringLiteral("PendingPrompt")).arguments().value(0).toString();
        control(code, QStringLiteral("Erase"), {ref.handle()});
        control(code, QStringLiteral("Save"));
        control(code, QStringLiteral("PickPoint"), {5.0, 6.0});
    });
    picking = true;
    const AcadPoint picked = doc.getPoint({0, 0, 0}, QStringLiteral("Insertion point"));
    picking = false;
    EXPECT_EQ(picked, (AcadPoint{5, 6, 0}));
    EXPECT_EQ(prompt, QStringLiteral("Insertion point"));

    EXPECT_EQ(only(QStringLiteral("doc")),
              (QStringList{"BeginCommand ERASE", erased, "EndCommand ERASE", "BeginCommand QSAVE",
                           "BeginSave", "EndSave", "EndCommand QSAVE"}));
    EXPECT_EQ(only(QStringLiteral("app")),
              (QStringList{"BeginCommand ERASE", "EndCommand ERASE", "BeginCommand QSAVE",
                           "BeginSave", "EndSave", "EndCommand QSAVE"}));

    // Escape at the host ends the pick with an error the caller can tell apart.
    QTimer::singleShot(0, [&] { control(QStringLiteral("17"), QStringLiteral("CancelPick")); });
    EXPECT_EQ(failure([&] { doc.getPoint({0, 0, 0}, QStringLiteral("Insertion point")); }),
              Kind::Cancelled);

    // Ending the subscription stops the events.
    log.clear();
    picking = true;
    appEvents.reset();
    QTimer::singleShot(0, [&] { control(QStringLiteral("17"), QStringLiteral("Undo")); });
    QTimer::singleShot(0, [&] { control(QStringLiteral("17"), QStringLiteral("PickPoint"), {0.0, 0.0}); });
    doc.getPoint({0, 0, 0}, QStringLiteral("Insertion point"));
    EXPECT_TRUE(only(QStringLiteral("app")).isEmpty());
    EXPECT_TRUE(only(QStringLiteral("doc")).contains(erased)); // the undone erase
}

TEST_F(EventTest, AHostKilledDuringAPickIsACleanError)
{
    QProcess& host = startHost(QStringLiteral("17"));
    const AcadApplication app = bind();
    ASSERT_FALSE(app.isNull());
    const AcadDocument doc = newDocument(app);
    QTimer::singleShot(0, [&] { host.kill(); });
    EXPECT_EQ(failure([&] { doc.getPoint({0, 0, 0}, QStringLiteral("Insertion point")); }),
              Kind::NoHost);
    EXPECT_EQ(failure([&] { app.documentCount(); }), Kind::NoHost);
    DBusAcadBinder binder(m_bus->connection(), binderOptions());
    EXPECT_TRUE(binder.attach(QStringLiteral("17")).isNull());
}

TEST_F(EventTest, AHungHostEndsAnOrdinaryCallAtItsTimeLimit)
{
    QProcess& host = startHost(QStringLiteral("17"));
    DBusAcadBinder::Options options = binderOptions();
    options.callTimeoutMs = 300;
    DBusAcadBinder binder(m_bus->connection(), options);
    const AcadApplication app = binder.attach(QStringLiteral("17"));
    ASSERT_FALSE(app.isNull());
    EXPECT_GE(app.documentCount(), 0);
    ::kill(pid_t(host.processId()), SIGSTOP);
    const auto kind = failure([&] { newDocument(app); });
    ::kill(pid_t(host.processId()), SIGCONT);
    EXPECT_EQ(kind, Kind::Timeout);
}
