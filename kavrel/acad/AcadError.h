#pragma once

#include <QString>
#include <stdexcept>

// A failed call on the drawing program. The workbench shows message() to the
// person (it is the drawing program's own text when the program refused the
// call) and decides by kind() whether to retry, reattach or give up.
class AcadError : public std::runtime_error
{
public:
    enum class Kind
    {
        Failed,          // the drawing program could not do it, for a reason it names
        InvalidArgument, // an argument it (or this client) rejects
        NotFound,        // the object, handle or file named does not exist
        Erased,          // the object was erased
        FileError,       // a drawing or menu file could not be read or written
        Cancelled,       // the person cancelled a pick
        AlreadyLoaded,   // the menu group is loaded already
        UnknownMember,   // the object has no member of that name
        NoHost,          // the drawing program is gone (ended, killed, never there)
        Timeout          // the drawing program did not answer in time
    };

    AcadError(Kind kind, const QString& message);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }

    // The connection itself is lost: the caller should reattach, not retry.
    bool connectionLost() const { return m_kind == Kind::NoHost || m_kind == Kind::Timeout; }

private:
    Kind m_kind;
    QString m_message;
};
