#pragma once

#include <QString>
#include <functional>

// Counts the passes of one traversal of a workbench table. A traversal that
// goes on for more than 10000 passes is stopped and reported with the number
// that names it ("Loop overrun at line 3356 !"); the operation then goes on
// with what was done. The number is fixed per traversal so that a report
// from a user leads to the traversal that overran.
class LoopGuard
{
public:
    using Reporter = std::function<void(const QString& message)>;

    static constexpr int Limit = 10000;

    LoopGuard(int line, Reporter reporter) : m_line(line), m_reporter(std::move(reporter)) {}

    // Counts a pass; false (once reported) when the limit is passed and the
    // traversal must stop.
    bool pass();

    int passes() const { return m_passes; }
    bool overrun() const { return m_overrun; }
    static QString message(int line);

private:
    int m_line;
    Reporter m_reporter;
    int m_passes = 0;
    bool m_overrun = false;
};
