#include "TableError.h"

namespace {
QString compose(const QString& file, const QString& reason)
{
    if (file.isEmpty())
        return reason;
    return QStringLiteral("Table file \"%1\": %2").arg(file, reason);
}
} // namespace

TableError::TableError(const QString& file, const QString& reason)
    : std::runtime_error(compose(file, reason).toStdString()), m_file(file), m_reason(reason),
      m_message(compose(file, reason))
{
}
