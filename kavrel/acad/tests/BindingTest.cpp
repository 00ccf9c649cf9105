// Which drawing host the client binds, and which event identifiers it offers.
#include "AcadEvents.h"
#include "AcadVersion.h"
#include "HostFixture.h"

using Kind = AcadError::Kind;

namespace {
class BindingTest : public HostFixture
{
};
} // namespace

TEST_F(BindingTest, AttachesARunningOlderHostRatherThanStartingANewerOne)
{
    startHost(QStringLiteral("16"));
    const AcadApplication app = bind();
    ASSERT_FALSE(app.isNull());
    EXPECT_EQ(app.versionCode(), QStringLiteral("16"));
    EXPECT_EQ(app.object().string(QStringLiteral("Version")), QStringLiteral("16.0"));
    EXPECT_FALSE(hostRunning(QStringLiteral("17")));
}

TEST_F(BindingTest, StartsTheNewestHostWhenNoneRunsAndAttachesItNextTime)
{
    const AcadApplication first = bind();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.versionCode(), QStringLiteral("17"));
    EXPECT_TRUE(hostRunning(QStringLiteral("17")));

    DBusAcadBinder again(m_bus->connection(), binderOptions());
    const AcadApplication second = again.bind();
    EXPECT_EQ(again.startedProcessId(), 0);
    EXPECT_TRUE(second.object() == first.object());
}

TEST_F(BindingTest, WithoutHostProgramEveryAttemptFailsAndIsReported)
{
    DBusAcadBinder::Options options = binderOptions();
    options.hostProgram = m_dir.filePath(QStringLiteral("no-such-cadhost"));
    DBusAcadBinder binder(m_bus->connection(), options);
    EXPECT_TRUE(binder.bind().isNull());
    EXPECT_EQ(binder.failures().size(), 6); // attach and start, three versions each
}

TEST_F(BindingTest, EventSubscriptionsTakeOnlyTheIdentifiersOfTheHostsVersion)
{
    startHost(QStringLiteral("16"));
    const AcadApplication app = bind();
    ASSERT_FALSE(app.isNull());
    const AcadDocument doc = newDocument(app);

    EXPECT_TRUE(app.adviseEvents());
    EXPECT_TRUE(doc.adviseEvents(QStringLiteral("16")));

    const QString newer = AcadVersion::applicationEventsId(QStringLiteral("17"));
    EXPECT_EQ(failure([&] { app.object().advise(newer); }), Kind::InvalidArgument);
    // The application's identifier is not the document's.
    EXPECT_EQ(failure([&] { doc.object().advise(AcadVersion::applicationEventsId("16")); }),
              Kind::InvalidArgument);
    EXPECT_EQ(failure([&] { doc.adviseEvents(QStringLiteral("14")); }), Kind::InvalidArgument);
}
