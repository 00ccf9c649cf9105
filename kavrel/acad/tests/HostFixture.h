#pragma once

#include "AcadApplication.h"
#include "AcadError.h"
#include "DBusAcadBinder.h"
#include "PrivateBus.h"

#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A private bus per test, drawing hosts started on it, and the person's
// actions at a host through its control object.
class HostFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts `cadhost --version <code>` and waits for its name.
    QProcess& startHost(const QString& code);
    DBusAcadBinder::Options binderOptions() const;
    // Binds as the workbench does; the test fails when nothing binds.
    AcadApplication bind();

    // Calls /Control of the host of that version; fails the test on an error reply.
    QDBusMessage control(const QString& code, const QString& member, const QVariantList& args = {});
    bool hostRunning(const QString& code) const;

    // A new, empty drawing.
    static AcadDocument newDocument(const AcadApplication& app);
    // The kind of AcadError `f` throws; empty when it throws none.
    static std::optional<AcadError::Kind> failure(const std::function<void()>& f);

    std::unique_ptr<PrivateBus> m_bus;
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_hosts;
    std::vector<qint64> m_detached; // hosts the binder started
};
