#pragma once

#include "AcadBinder.h"

#include <QDBusConnection>
#include <QProcessEnvironment>

// Binds the drawing program on a D-Bus bus: a program of version N owns the
// name org.kavrel.CadHost<N>. Starting one runs `cadhost --version N` (the
// program beside this one, else the one on PATH) and waits for its name.
class DBusAcadBinder : public AcadBinder
{
public:
    struct Options
    {
        QString hostProgram;        // empty: "cadhost" beside this program, else on PATH
        int startTimeoutMs = 20000; // from starting the program to its name on the bus
        int callTimeoutMs = 30000;  // an ordinary call; picks wait without limit
        // The started program's environment; it must lead to the same bus.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    };

    explicit DBusAcadBinder(const QDBusConnection& bus = QDBusConnection::sessionBus());
    DBusAcadBinder(const QDBusConnection& bus, Options options);

    AcadApplication attach(const QString& code) override;
    AcadApplication start(const QString& code) override;

    static QString serviceName(const QString& code);
    // The program start() runs; empty when there is none.
    QString hostProgram() const;
    // The process id of the program the last successful start() began.
    qint64 startedProcessId() const { return m_startedPid; }

private:
    bool waitForName(const QString& name, qint64 pid);

    QDBusConnection m_bus;
    Options m_options;
    qint64 m_startedPid = 0;
};
