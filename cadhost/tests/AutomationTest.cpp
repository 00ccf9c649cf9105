// The host as an automation client sees it: events, their order and their
// subscription, object ids and handles, menus, point picks, and hostile
// arguments answered with errors while the host lives on.
#include "HostProcess.h"
#include "QtPrinters.h"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(CadHostAutomation, HostileArgumentsAreErrorsAndTheHostLivesOn)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    const QString ref = insertSymbol(host, doc);
    const QString ms = doc + QStringLiteral("/ModelSpace");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QString sym = QStringLiteral("SYM");
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.dxf"));
    QFile g(garbage);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("this is\nnot a drawing\n");
    g.close();

    struct Case
    {
        const char* what;
        QString path, interface, method;
        QVariantList args;
        const char* error;
    };
    const QString Invalid = QStringLiteral("InvalidArgument");
    const QList<Case> cases = {
        {"NaN point", ms, "ModelSpace", "InsertBlock", {HostProcess::point(nan, 0, 0), sym, 1.0, 1.0, 1.0, 0.0}, "InvalidArgument"},
        {"infinite point", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, inf, 0), sym, 1.0, 1.0, 1.0, 0.0}, "InvalidArgument"},
        {"two coordinates", ms, "ModelSpace", "InsertBlock", {QVariant::fromValue(QList<double>{1, 2}), sym, 1.0, 1.0, 1.0, 0.0}, "InvalidArgument"},
        {"zero scale", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), sym, 0.0, 1.0, 1.0, 0.0}, "InvalidArgument"},
        {"absurd scale", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), sym, 1.0, 1e300, 1.0, 0.0}, "InvalidArgument"},
        {"NaN rotation", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), sym, 1.0, 1.0, 1.0, nan}, "InvalidArgument"},
        {"unknown block", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), QStringLiteral("NOPE"), 1.0, 1.0, 1.0, 0.0}, "NotFound"},
        {"unreadable block file", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), garbage, 1.0, 1.0, 1.0, 0.0}, "FileError"},
        {"missing block file", ms, "ModelSpace", "InsertBlock", {HostProcess::point(0, 0, 0), dir.filePath(QStringLiteral("none")), 1.0, 1.0, 1.0, 0.0}, "FileError"},
        {"wrong argument types", ms, "ModelSpace", "InsertBlock", {QStringLiteral("0,0,0"), sym, 1, 1, 1, 0}, "InvalidArgument"},
        {"over-long block name", doc + "/Blocks", "Blocks", "Add", {HostProcess::point(0, 0, 0), QString(100000, u'B')}, "InvalidArgument"},
        {"unknown handle", doc, "Document", "HandleToObject", {QStringLiteral("not-hex")}, "NotFound"},
        {"item out of range", ms, "ModelSpace", "Item", {-1}, "NotFound"},
        {"document out of range", "/Application/Documents", "Documents", "Item", {7}, "NotFound"},
        {"unreadable drawing", "/Application/Documents", "Documents", "Open", {garbage, false}, "FileError"},
        {"path with a line break", doc, "Document", "SaveAs", {dir.filePath(QStringLiteral("a\nb.dxf"))}, "InvalidArgument"},
        {"save into a missing folder", doc, "Document", "SaveAs", {dir.filePath(QStringLiteral("no/such/x.dxf"))}, "FileError"},
        {"menu file that is a drawing", "/Application/MenuGroups", "MenuGroups", "Load", {garbage, false}, "FileError"},
        {"pick with a NaN base", doc + "/Utility", "Utility", "GetPoint", {HostProcess::point(nan, 0, 0), QStringLiteral("x")}, "InvalidArgument"},
        {"pick answered with none pending", "/Control", "Control", "PickPoint", {1.0, 2.0}, "Failed"},
        {"closed document", "/Document/99", "Document", "Save", {}, "NotFound"},
        {"entity that never was", doc + "/Object/12345", "BlockReference", "GetAttributes", {}, "NotFound"},
    };
    Q_UNUSED(Invalid);
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(host.call(c.path, c.interface, c.method, c.args)),
                  QStringLiteral("org.kavrel.CadHost.Error.") + QLatin1String(c.error))
            << c.what;

    // Properties: a wrong type, a read-only one, an over-long text with a line break.
    const QString attribute = HostProcess::toPaths(
        host.value(ref, QStringLiteral("BlockReference"), QStringLiteral("GetAttributes"))).value(0);
    ASSERT_FALSE(attribute.isEmpty());
    EXPECT_EQ(errorOf(host.set(attribute, QStringLiteral("Attribute"), QStringLiteral("TextString"), 5)),
              u"org.kavrel.CadHost.Error.InvalidArgument");
    EXPECT_EQ(errorOf(host.set(attribute, QStringLiteral("Attribute"), QStringLiteral("TextString"),
                               QStringLiteral("a\nb"))),
              u"org.kavrel.CadHost.Error.InvalidArgument");
    EXPECT_EQ(errorOf(host.set(ref, QStringLiteral("BlockReference"), QStringLiteral("Name"), QStringLiteral("X"))),
              u"org.kavrel.CadHost.Error.InvalidArgument");
    EXPECT_EQ(errorOf(host.set(attribute, QStringLiteral("Attribute"), QStringLiteral("TextString"),
                               QStringLiteral("Varovalka 100 A"))),
              QString());
    EXPECT_EQ(host.get(attribute, QStringLiteral("Attribute"), QStringLiteral("TextString")),
              QStringLiteral("Varovalka 100 A"));

    // Nothing of that changed the drawing or stopped the host.
    EXPECT_TRUE(host.isRunning());
    EXPECT_EQ(host.get(ms, QStringLiteral("ModelSpace"), QStringLiteral("Count")).toInt(), 1);
    EXPECT_EQ(host.get(doc + QStringLiteral("/Blocks"), QStringLiteral("Blocks"), QStringLiteral("Count")).toInt(), 1);
}

TEST(CadHostAutomation, PointPicksAreAnsweredWhenPickedAndEscapeFailsThem)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    const QString utility = host.objectPath(QStringLiteral("/Application/Documents"),
                                            QStringLiteral("Documents"), QStringLiteral("Item"), {0})
                            + QStringLiteral("/Utility");
    QDBusMessage m = QDBusMessage::createMethodCall(host.service(), utility,
                                                    QStringLiteral("org.kavrel.CadHost.Utility"),
                                                    QStringLiteral("GetPoint"));
    m.setArguments({HostProcess::point(0, 0, 0), QStringLiteral("Insertion point")});
    QDBusPendingCall point = host.bus().connection().asyncCall(m, 60000);
    // While the person has not picked, the host answers other calls.
    QString prompt;
    for (int i = 0; i < 100 && prompt.isEmpty(); ++i)
        prompt = host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("PendingPrompt")).toString();
    EXPECT_EQ(prompt, u"Insertion point");
    EXPECT_FALSE(point.isFinished());
    EXPECT_EQ(errorOf(host.call(utility, QStringLiteral("Utility"), QStringLiteral("GetDistance"),
                                {HostProcess::point(0, 0, 0), QStringLiteral("second")})),
              u"org.kavrel.CadHost.Error.Failed"); // one pick at a time
    host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("PickPoint"), {3.5, -2.0});
    point.waitForFinished();
    ASSERT_FALSE(point.isError()) << point.error().message().toStdString();
    EXPECT_EQ(HostProcess::toPoint(point.reply().arguments().value(0)), (QList<double>{3.5, -2.0, 0}));

    m = QDBusMessage::createMethodCall(host.service(), utility, QStringLiteral("org.kavrel.CadHost.Utility"),
                                       QStringLiteral("GetDistance"));
    m.setArguments({HostProcess::point(1, 1, 0), QStringLiteral("Pick second symbol contact point !")});
    QDBusPendingCall distance = host.bus().connection().asyncCall(m, 60000);
    while (host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("PendingPrompt")).toString().isEmpty())
        QThread::msleep(10);
    host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("PickPoint"), {4.0, 5.0});
    distance.waitForFinished();
    ASSERT_FALSE(distance.isError());
    EXPECT_DOUBLE_EQ(distance.reply().arguments().value(0).toDouble(), 5.0);

    m = QDBusMessage::createMethodCall(host.service(), utility, QStringLiteral("org.kavrel.CadHost.Utility"),
                                       QStringLiteral("GetPoint"));
    m.setArguments({HostProcess::point(0, 0, 0), QStringLiteral("Insertion point")});
    QDBusPendingCall cancelled = host.bus().connection().asyncCall(m, 60000);
    while (host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("PendingPrompt")).toString().isEmpty())
        QThread::msleep(10);
    host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("CancelPick"));
    cancelled.waitForFinished();
    ASSERT_TRUE(cancelled.isError());
    EXPECT_EQ(cancelled.error().name(), u"org.kavrel.CadHost.Error.Cancelled");
}

TEST(CadHostAutomation, SaveCloseAndQuitFireTheirEventsInOrder)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("schema.dxf"));
    const QString doc = host.objectPath(QStringLiteral("/Application/Documents"),
                                        QStringLiteral("Documents"), QStringLiteral("Item"), {0});
    insertSymbol(host, doc);
    host.clearEvents();
    ASSERT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("SaveAs"), {file})),
              QString());
    const QStringList saveAs = {
        u"ApplicationEvents.BeginCommand(SAVEAS)"_qs, u"DocumentEvents.BeginCommand(SAVEAS)"_qs,
        u"ApplicationEvents.BeginModal()"_qs, u"ApplicationEvents.EndModal()"_qs,
        u"ApplicationEvents.BeginSave("_qs + file + u')', u"DocumentEvents.BeginSave("_qs + file + u')',
        u"ApplicationEvents.EndSave("_qs + file + u')', u"DocumentEvents.EndSave("_qs + file + u')',
        u"ApplicationEvents.EndCommand(SAVEAS)"_qs, u"DocumentEvents.EndCommand(SAVEAS)"_qs};
    EXPECT_EQ(host.events(), saveAs);
    EXPECT_EQ(host.get(doc, QStringLiteral("Document"), QStringLiteral("Name")), QStringLiteral("schema.dxf"));
    EXPECT_EQ(host.get(doc, QStringLiteral("Document"), QStringLiteral("FullName")), file);

    // A save that cannot write (a folder took the file's place): BeginSave, but no
    // EndSave that would make it look saved.
    host.clearEvents();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    EXPECT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("Save"))),
              u"org.kavrel.CadHost.Error.FileError");
    EXPECT_EQ(host.events(), (QStringList{u"ApplicationEvents.BeginSave("_qs + file + u')',
                                          u"DocumentEvents.BeginSave("_qs + file + u')'}));
    ASSERT_TRUE(QDir().rmdir(file));
    ASSERT_EQ(errorOf(host.call(doc, QStringLiteral("Document"), QStringLiteral("Save"))), QString());

    // Opening: BeginOpen/EndOpen, also when the file cannot be read.
    host.clearEvents();
    const QString opened = host.objectPath(QStringLiteral("/Application/Documents"), QStringLiteral("Documents"),
                                           QStringLiteral("Add"));
    EXPECT_EQ(host.objectPath(QStringLiteral("/Application/Documents"), QStringLiteral("Documents"),
                              QStringLiteral("Open"), {file, false}),
              doc); // already open: the same document
    const QString closed = host.get(opened, QStringLiteral("Document"), QStringLiteral("Name")).toString();
    EXPECT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("CloseDocument"),
                                {QVariant::fromValue(QDBusObjectPath(opened)), false})),
              QString());
    EXPECT_EQ(host.events(), (QStringList{u"ApplicationEvents.BeginCommand(CLOSE)"_qs,
                                          u"DocumentEvents.BeginCommand(CLOSE)"_qs,
                                          u"DocumentEvents.BeginClose()"_qs,
                                          u"ApplicationEvents.EndCommand(CLOSE)"_qs}));
    EXPECT_EQ(host.get(QStringLiteral("/Application/Documents"), QStringLiteral("Documents"), QStringLiteral("Count")).toInt(), 1);
    EXPECT_FALSE(closed.isEmpty());

    host.clearEvents();
    ASSERT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("Quit"))), QString());
    EXPECT_EQ(host.waitForExit(), 0);
    const QStringList quit = host.events();
    ASSERT_GE(quit.size(), 3);
    EXPECT_EQ(quit[0], u"ApplicationEvents.BeginCommand(QUIT)");
    EXPECT_EQ(quit[2], u"ApplicationEvents.BeginQuit()");
    EXPECT_TRUE(quit.contains(u"DocumentEvents.BeginClose()"_qs));
    EXPECT_LT(quit.indexOf(u"ApplicationEvents.BeginQuit()"_qs), quit.indexOf(u"DocumentEvents.BeginClose()"_qs));
}

TEST(CadHostAutomation, AMenuGroupLoadsOnceAndItsItemStartsItsProgram)
{
    HostProcess host;
    ASSERT_TRUE(host.isRunning());
    QTemporaryDir dir;
    // The program the menu starts writes its argument where the test can see it.
    const QString program = dir.filePath(QStringLiteral("catalogue"));
    const QString mark = dir.filePath(QStringLiteral("started"));
    QFile p(program);
    ASSERT_TRUE(p.open(QIODevice::WriteOnly));
    p.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\n").arg(mark).toUtf8());
    p.close();
    p.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString menu = dir.filePath(QStringLiteral("kavrel.mnu"));
    QFile m(menu);
    ASSERT_TRUE(m.open(QIODevice::WriteOnly));
    m.write(QStringLiteral("//\r\n***MENUGROUP=KAVREL\r\n\r\n***POP1\r\n\r\nM_KAVREL     [KAVREL]\r\n"
                           "M_KATALOG      [Katalog]^C^C(startapp \"%1.exe\" \"menu\") \r\n\r\n***TOOLBARS\r\n")
                .arg(program)
                .toUtf8());
    m.close();

    const QString groups = QStringLiteral("/Application/MenuGroups");
    const QString group = host.objectPath(groups, QStringLiteral("MenuGroups"), QStringLiteral("Load"), {menu, false});
    EXPECT_EQ(host.get(group, QStringLiteral("MenuGroup"), QStringLiteral("Name")), QStringLiteral("KAVREL"));
    EXPECT_EQ(errorOf(host.call(groups, QStringLiteral("MenuGroups"), QStringLiteral("Load"), {menu, false})),
              u"org.kavrel.CadHost.Error.AlreadyLoaded");
    const int count = host.get(QStringLiteral("/Application/Menubar"), QStringLiteral("Menubar"), QStringLiteral("Count")).toInt();
    const QString first = host.objectPath(groups, QStringLiteral("MenuGroups"), QStringLiteral("Item"), {0});
    // The name as the client has it, in another case than the member's.
    EXPECT_EQ(errorOf(host.call(first + QStringLiteral("/Menus"), QStringLiteral("Menus"),
                                QStringLiteral("InsertMenuinMenuBar"), {QStringLiteral("KAVREL"), count})),
              QString());
    const QStringList titles =
        host.value(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("MenuBarTitles")).toStringList();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "View", "KAVREL"}));
    EXPECT_EQ(errorOf(host.call(QStringLiteral("/Control"), QStringLiteral("Control"), QStringLiteral("ClickMenuItem"),
                                {QStringLiteral("KAVREL"), QStringLiteral("Katalog")})),
              QString());
    for (int i = 0; i < 200 && !QFile::exists(mark); ++i)
        QThread::msleep(20);
    QFile started(mark);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll().trimmed(), "menu");
}
