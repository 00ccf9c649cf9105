#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the table engine: a file that cannot be opened or written,
// a filter that does not parse, a field the table lacks, a key violation.
// message() is the text the callers show as the storage engine's message; it
// names the file (when there is one) and the reason.
class TableError : public std::runtime_error
{
public:
    TableError(const QString& file, const QString& reason);
    explicit TableError(const QString& reason) : TableError(QString(), reason) {}

    const QString& file() const { return m_file; }
    const QString& reason() const { return m_reason; }
    const QString& message() const { return m_message; }

private:
    QString m_file;
    QString m_reason;
    QString m_message;
};
