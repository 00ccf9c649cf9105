#include "SmallCatalogue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The real program, started offscreen with its own bootstrap profile and a
// private runtime directory, so that its mutex is separate from any other
// kavrel on this machine.
struct Kavrel
{
    Kavrel(const SmallCatalogue& cat, const QTemporaryDir& runtime, const QString& readyVar)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("KAVREL_WININI"), cat.bootstrapPath());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (!readyVar.isEmpty())
            env.insert(readyVar, QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
    }
    ~Kavrel()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool waitForLine(const QByteArray& line, int ms)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            if (output.contains(line))
                return true;
            if (!process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))) &&
                process.state() == QProcess::NotRunning)
                break;
            output += process.readAllStandardOutput();
        }
        output += process.readAllStandardOutput();
        return output.contains(line);
    }
    QProcess process;
    QByteArray output;
};

} // namespace

TEST(StartProcess, SecondStartLeavesExactlyOneInstance)
{
    SmallCatalogue cat;
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());

    Kavrel first(cat, runtime, QStringLiteral("KAVREL_STARTUP_READY"));
    first.process.start(QStringLiteral(KAVREL_EXE), {});
    ASSERT_TRUE(first.process.waitForStarted(10000));
    ASSERT_TRUE(first.waitForLine("KAVREL ready", 60000))
        << first.output.toStdString() << first.process.readAllStandardError().toStdString();

    // Also the start from the AutoCAD menu: the argument has no effect.
    for (const QStringList& args : {QStringList(), QStringList{QStringLiteral("acad")}}) {
        Kavrel second(cat, runtime, QStringLiteral("KAVREL_STARTUP_READY"));
        second.process.start(QStringLiteral(KAVREL_EXE), args);
        ASSERT_TRUE(second.process.waitForStarted(10000));
        // It notifies the first one and ends without a window of its own; a
        // message box would keep it running until it is killed.
        ASSERT_TRUE(second.process.waitForFinished(30000)) << args.join(' ').toStdString();
        EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.process.exitCode(), 0);
        second.output += second.process.readAllStandardOutput();
        EXPECT_FALSE(second.output.contains("KAVREL ready"));
    }
    EXPECT_EQ(first.process.state(), QProcess::Running);
}

TEST(StartProcess, ProbeReportsTheFirstPaintedTree)
{
    SmallCatalogue cat;
    QTemporaryDir runtime;
    Kavrel probe(cat, runtime, QStringLiteral("KAVREL_STARTUP_PROBE"));
    probe.process.start(QStringLiteral(KAVREL_EXE), {});
    ASSERT_TRUE(probe.process.waitForFinished(60000));
    probe.output += probe.process.readAllStandardOutput();
    EXPECT_EQ(probe.process.exitCode(), 0);
    const QByteArray out = probe.output;
    ASSERT_TRUE(out.startsWith("BENCH first-paint ")) << out.toStdString();
    EXPECT_GE(out.split(' ').value(2).toInt(), 0);
}

TEST(StartProcess, MissingInstallationEndsAfterTheMessage)
{
    SmallCatalogue cat;
    cat.writeBootstrap("");
    QTemporaryDir runtime;
    Kavrel start(cat, runtime, QString());
    // The reinstall box is modal; answering it is the test's business, so
    // only make sure the program does not open the catalogue before it.
    start.process.start(QStringLiteral(KAVREL_EXE), {});
    ASSERT_TRUE(start.process.waitForStarted(10000));
    EXPECT_FALSE(start.waitForLine("KAVREL ready", 1500));
}
