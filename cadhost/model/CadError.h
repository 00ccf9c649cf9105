#pragma once

#include <QString>

#include <stdexcept>

// A failure of a drawing operation, with the text a person reads and a kind that
// callers map to their own error codes (the automation bus maps it to its error
// names). Thrown by the model; the windows show the text, the bus returns it.
class CadError : public std::runtime_error
{
public:
    enum Kind { InvalidArgument, NotFound, Erased, FileError, Cancelled, AlreadyLoaded, Failed };

    CadError(Kind kind, const QString& text)
        : std::runtime_error(text.toStdString()), m_kind(kind), m_text(text)
    {
    }
    Kind kind() const { return m_kind; }
    QString text() const { return m_text; }
    // "InvalidArgument", "NotFound", ... as the bus's error names end.
    static QString kindName(Kind kind);

private:
    Kind m_kind;
    QString m_text;
};
