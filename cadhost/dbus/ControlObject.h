#pragma once

#include "BusHandler.h"

class CadApplication;
class CadCommands;
class HostWindows;

// /Control: the person's actions at the windows, run as the same commands the
// menus run, so that they fire the same events.
class ControlObject : public BusHandler
{
public:
    ControlObject(CadApplication& app, CadCommands& commands, HostWindows* windows)
        : m_app(app), m_commands(commands), m_windows(windows)
    {
    }

    QVariant get(const BusPath&, const QString&) override { return {}; }
    void set(const BusPath&, const QString&, const QVariant&) override {}
    QVariantList call(const BusPath& path, const QString& method, BusCall& call) override;

private:
    QVariantList files(const QString& method, const BusCall& call);
    QVariantList windows(const QString& method, const BusCall& call);

    CadApplication& m_app;
    CadCommands& m_commands;
    HostWindows* m_windows;
};
