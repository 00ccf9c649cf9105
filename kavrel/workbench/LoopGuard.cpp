#include "LoopGuard.h"

bool LoopGuard::pass()
{
    if (m_overrun)
        return false;
    if (++m_passes <= Limit)
        return true;
    m_overrun = true;
    if (m_reporter)
        m_reporter(message(m_line));
    return false;
}

QString LoopGuard::message(int line)
{
    return QStringLiteral("Loop overrun at line %1 !").arg(line);
}
