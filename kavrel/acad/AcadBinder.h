#pragma once

#include "AcadApplication.h"

#include <QString>
#include <QStringList>

// Finds the drawing program to work with. bind() first attaches to a running
// program of any supported version, newest first, and only when none runs
// starts one, newest version first: starting a second program while the
// person works in an older one would leave their drawings unconnected. The
// version of the binding that succeeds is the application's version code.
class AcadBinder
{
public:
    virtual ~AcadBinder();

    // A null application when every attempt failed; failures() says why.
    AcadApplication bind();

    // A running program of that version, or a null application.
    virtual AcadApplication attach(const QString& code) = 0;
    // Starts a program of that version and waits for it; null on failure.
    virtual AcadApplication start(const QString& code) = 0;

    // One line per failed attempt since the last bind() began.
    const QStringList& failures() const { return m_failures; }

protected:
    void addFailure(const QString& line) { m_failures.append(line); }
    void clearFailures() { m_failures.clear(); }

private:
    QStringList m_failures;
};
