#include "SingleInstance.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One run of platform-single-instance-probe, read line by line.
class Probe
{
public:
    Probe(const QString& mutex, const QString& publish, const QString& find = QStringLiteral("-"),
          const QString& wParam = QStringLiteral("0"), const QString& lParam = QStringLiteral("0"))
    {
        m_process.setProgram(QStringLiteral(TEST_BINARY_DIR "/platform-single-instance-probe"));
        m_process.setArguments({mutex, publish, find, wParam, lParam});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~Probe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // The next line of output, or "<timeout>"/"<eof>".
    QString nextLine(int timeoutMs = 10000)
    {
        while (!m_process.canReadLine()) {
            if (m_process.state() == QProcess::NotRunning)
                return m_process.canReadLine() ? nextLine() : QStringLiteral("<eof>");
            if (!m_process.waitForReadyRead(timeoutMs) && !m_process.canReadLine())
                return m_process.state() == QProcess::NotRunning ? QStringLiteral("<eof>")
                                                                 : QStringLiteral("<timeout>");
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    // Waits for the end and returns the exit code (-1 on a crash or hang).
    int exitCode()
    {
        if (!m_process.waitForFinished(10000) && m_process.state() != QProcess::NotRunning)
            return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    void kill()
    {
        m_process.kill(); // SIGKILL: no chance to clean up
        m_process.waitForFinished(5000);
    }
    void quit()
    {
        m_process.write("quit\n");
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

const QString kMutex = QStringLiteral("Brontel");
const QString kTitle = QStringLiteral("KAVREL");

} // namespace

TEST(SingleInstanceProcesses, SecondProcessIsExcludedAndDeliversItsMessage)
{
    Probe first(kMutex, kTitle);
    ASSERT_EQ(first.nextLine(), QStringLiteral("OWNER"));
    ASSERT_EQ(first.nextLine(), QStringLiteral("READY"));

    // The title is found without regard to case; both parameters arrive.
    Probe second(kMutex, QStringLiteral("-"), QStringLiteral("kavrel"), QStringLiteral("7"),
                 QStringLiteral("-3"));
    EXPECT_EQ(second.nextLine(), QStringLiteral("EXISTED"));
    EXPECT_EQ(second.nextLine(), QStringLiteral("SENT"));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.nextLine(), QStringLiteral("MESSAGE 33168 7 -3"));

    Probe third(kMutex, QStringLiteral("-"), QStringLiteral("KaVrEl"),
                QStringLiteral("18446744073709551615"), QStringLiteral("-9000000000"));
    EXPECT_EQ(third.nextLine(), QStringLiteral("EXISTED"));
    EXPECT_EQ(third.nextLine(), QStringLiteral("SENT"));
    EXPECT_EQ(first.nextLine(), QStringLiteral("MESSAGE 33168 18446744073709551615 -9000000000"));
}

TEST(SingleInstanceProcesses, WindowWithAnotherTitleIsNotFound)
{
    Probe first(kMutex, kTitle);
    ASSERT_EQ(first.nextLine(), QStringLiteral("OWNER"));
    ASSERT_EQ(first.nextLine(), QStringLiteral("READY"));
    Probe second(kMutex, QStringLiteral("-"), QStringLiteral("KAVREL2"));
    EXPECT_EQ(second.nextLine(), QStringLiteral("EXISTED"));
    EXPECT_EQ(second.nextLine(), QStringLiteral("NOTFOUND"));
    EXPECT_EQ(second.exitCode(), 3);
}

TEST(SingleInstanceProcesses, LockOfAKilledProcessDoesNotBlockTheNextStart)
{
    {
        Probe crashed(kMutex, kTitle);
        ASSERT_EQ(crashed.nextLine(), QStringLiteral("OWNER"));
        ASSERT_EQ(crashed.nextLine(), QStringLiteral("READY"));
        crashed.kill();
    }
    // The killed process left its lock file and socket behind.
    EXPECT_TRUE(QFileInfo::exists(SingleInstance::runtimeDirectory() +
                                  QStringLiteral("/mutex-Brontel.lock")));

    Probe next(kMutex, kTitle);
    ASSERT_EQ(next.nextLine(), QStringLiteral("OWNER"));
    ASSERT_EQ(next.nextLine(), QStringLiteral("READY"));
    Probe sender(kMutex, QStringLiteral("-"), kTitle, QStringLiteral("1"), QStringLiteral("2"));
    EXPECT_EQ(sender.nextLine(), QStringLiteral("EXISTED"));
    EXPECT_EQ(sender.nextLine(), QStringLiteral("SENT"));
    EXPECT_EQ(next.nextLine(), QStringLiteral("MESSAGE 33168 1 2"));
}

TEST(SingleInstanceProcesses, OrderlyEndReleasesMutexAndTitle)
{
    {
        Probe first(kMutex, kTitle);
        ASSERT_EQ(first.nextLine(), QStringLiteral("OWNER"));
        ASSERT_EQ(first.nextLine(), QStringLiteral("READY"));
        first.quit();
        EXPECT_EQ(first.exitCode(), 0);
    }
    Probe next(kMutex, kTitle);
    EXPECT_EQ(next.nextLine(), QStringLiteral("OWNER"));
    EXPECT_EQ(next.nextLine(), QStringLiteral("READY"));
}

TEST(SingleInstanceProcesses, OtherMutexNamesDoNotExcludeButTitlesStayTaken)
{
    Probe first(QStringLiteral("MutexA"), kTitle);
    ASSERT_EQ(first.nextLine(), QStringLiteral("OWNER"));
    ASSERT_EQ(first.nextLine(), QStringLiteral("READY"));
    // Mutex names are exact: another case is another mutex.
    Probe second(QStringLiteral("mutexa"), QStringLiteral("kavrel"));
    EXPECT_EQ(second.nextLine(), QStringLiteral("OWNER"));
    // The live window keeps its title; it is not stolen.
    EXPECT_EQ(second.nextLine(), QStringLiteral("PUBLISH FAILED"));
}

TEST(SingleInstanceInProcess, SecondMutexAndSendToOwnWindow)
{
    auto first = std::make_unique<SingleInstance>(QStringLiteral("InProcess"));
    EXPECT_FALSE(first->alreadyExisted());
    ASSERT_TRUE(first->publishWindow(QStringLiteral("Main Window")));
    QSignalSpy spy(first.get(), &SingleInstance::messageReceived);

    SingleInstance second(QStringLiteral("InProcess"));
    EXPECT_TRUE(second.alreadyExisted());
    EXPECT_TRUE(second.sendMessage(QStringLiteral("MAIN WINDOW"), 0x8190, 0, 0));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<quint32>(), 0x8190u);
    EXPECT_FALSE(second.sendMessage(QStringLiteral("Main"), 0x8190, 0, 0, 200));

    first.reset();
    EXPECT_FALSE(second.sendMessage(QStringLiteral("Main Window"), 0x8190, 0, 0, 200));
    SingleInstance third(QStringLiteral("InProcess"));
    EXPECT_FALSE(third.alreadyExisted());
}

TEST(SingleInstanceInProcess, UnusableRuntimeDirectoryDoesNotPreventTheStart)
{
    QTemporaryFile notADirectory;
    ASSERT_TRUE(notADirectory.open());
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", (notADirectory.fileName() + QStringLiteral("/run")).toLocal8Bit());
    {
        SingleInstance a(QStringLiteral("Unguarded"));
        EXPECT_FALSE(a.alreadyExisted());
    }
    qputenv("XDG_RUNTIME_DIR", saved);
}
