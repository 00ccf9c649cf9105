// The host as an automation client sees it: events, their order and their
// subscription, object ids and handles, menus, point picks, and hostile
// arguments answered with errors while the host lives on.
#include "HostProcess.h"
#include "QtPrinters.h"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QString AppIid17 = QStringLiteral("{E8D59748-B414-4BE6-AF82-870C62C0CF4C}");
const QString DocIid17 = QStringLiteral("{C814C69D-A74B-494C-8EE6-23731B145CCB}");
const QString DocIid15 = QStringLiteral("{976858E1-0B7B-11D0-89DF-00805FC2FBBA}");

QString errorOf(const QDBusMessage& m)
{
    return m.type() == QDBusMessage::ErrorMessage ? m.errorName() : QString();
}

// A drawing with a block "SYM" of one line and two attribute definitions, and one
// reference to it; returns the reference's path.
QString insertSymbol(HostProcess& host, const QString& doc, double x = 5, double y = 5)
{
    const QString blocks = doc + QStringLiteral("/Blocks");
    QString block;
    if (host.get(blocks, QStringLiteral("Blocks"), QStringLiteral("Count")).toInt() == 0) {
        block = host.objectPath(blocks, QStringLiteral("Blocks"), QStringLiteral("Add"),
                                {HostProcess::point(0, 0, 0), QStringLiteral("SYM")});
        host.objectPath(block, QStringLiteral("Block"), QStringLiteral("AddAttribute"),
                        {0.2, 0, QStringLiteral("Block"), HostProcess::point(1, -1, 0),
                         QStringLiteral("Block"), QStringLiteral("F1")});
        host.objectPath(block, QStringLiteral("Block"), QStringLiteral("AddAttribute"),
                        {0.2, 0, QStringLiteral("Item"), HostProcess::point(1, -1.3, 0),
                         QStringLiteral("Item"), QStringLiteral("")});
    }
    return host.objectPath(doc + QStringLiteral("/ModelSpace"), QStringLiteral("ModelSpace"),
                           QStringLiteral("InsertBlock"),
                           {HostProcess::point(x, y, 0), QStringLiteral("SYM"), 1.0, 1.0, 1.0, 0.0});
}

} // namespace

TEST(CadHostAutomation, SubscriptionNeedsTheEventInterfaceOfTheHostsVersion)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    EXPECT_EQ(errorOf(host.call(QStringLiteral("/Application"), QStringLiteral("Application"),
                                QStringLiteral("Advise"), {AppIid17.toLower()})),
              QString());
    EXPECT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("Advise"), {DocIid17})),
              QString());
    // The document identifier on the application, another version's, garbage.
    for (const QString& wrong : {DocIid17, DocIid15, QStringLiteral("{}"), QString()})
        EXPECT_EQ(errorOf(host.call(QStringLiteral("/Application"), QStringLiteral("Application"),
                                    QStringLiteral("Advise"), {wrong})),
                  u"org.kavrel.CadHost.Error.InvalidArgument")
            << wrong.toStdString();
    EXPECT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("Advise"), {AppIid17})),
              u"org.kavrel.CadHost.Error.InvalidArgument");

    HostProcess old({}, 15);
    ASSERT_TRUE(old.isRunning());
    EXPECT_EQ(old.get(QStringLiteral("/Application"), QStringLiteral("Application"), QStringLiteral("Version")),
              QStringLiteral("15.0"));
    const QString oldDoc = old.objectPath(QStringLiteral("/Application/Documents"),
                                          QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    EXPECT_EQ(errorOf(old.call(oldDoc, QStringLiteral("Document"), QStringLiteral("Advise"), {DocIid17})),
              u"org.kavrel.CadHost.Error.InvalidArgument");
    EXPECT_EQ(errorOf(old.call(oldDoc, QStringLiteral("Document"), QStringLiteral("Advise"), {DocIid15})),
              QString());
}

TEST(CadHostAutomation, EraseAndItsUndoReportTheSameObjectAndTheHandleFollows)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    const QString ref = insertSymbol(host, doc);
    const qlonglong id = host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("ObjectID")).toLongLong();
    const QString handle = host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("Handle")).toString();
    EXPECT_EQ(host.get(ref, QStringLiteral("BlockReference"), QStringLiteral("EntityType")).toInt(), 7);
    EXPECT_EQ(host.objectPath(doc, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {handle.toLower()}),
              ref);
    host.clearEvents();

    ASSERT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Erase"),
                                {handle})),
              QString());
    // Erased: the handle and the object fail as for an erased object.
    EXPECT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {handle})),
              u"org.kavrel.CadHost.Error.Erased");
    EXPECT_EQ(errorOf(host.call(ref, QStringLiteral("BlockReference"), QStringLiteral("GetAttributes"))),
              u"org.kavrel.CadHost.Error.Erased");
    EXPECT_EQ(host.get(doc + QStringLiteral("/ModelSpace"), QStringLiteral("ModelSpace"), QStringLiteral("Count")).toInt(), 0);
    ASSERT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Undo"))),
              QString());
    EXPECT_EQ(host.objectPath(doc, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {handle}), ref);

    const QString n = QString::number(id);
    const QStringList expected = {
        u"ApplicationEvents.BeginCommand(ERASE)"_qs, u"DocumentEvents.BeginCommand(ERASE)"_qs,
        u"DocumentEvents.ObjectErased("_qs + n + u')', u"ApplicationEvents.EndCommand(ERASE)"_qs,
        u"DocumentEvents.EndCommand(ERASE)"_qs,
        u"ApplicationEvents.BeginCommand(U)"_qs, u"DocumentEvents.BeginCommand(U)"_qs,
        u"DocumentEvents.ObjectErased("_qs + n + u')', u"ApplicationEvents.EndCommand(U)"_qs,
        u"DocumentEvents.EndCommand(U)"_qs};
    EXPECT_EQ(host.events(), expected);

    // Nothing more to undo than the erase and the insertion; then a clean error.
    EXPECT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Undo"))),
              QString());
    EXPECT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Undo"))),
              u"org.kavrel.CadHost.Error.Failed");
    EXPECT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("HandleToObject"), {QStringLiteral("FFFFFF")})),
              u"org.kavrel.CadHost.Error.NotFound");
}
