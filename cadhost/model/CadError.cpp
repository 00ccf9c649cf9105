#include "CadError.h"

QString CadError::kindName(Kind kind)
{
    switch (kind) {
    case InvalidArgument: return QStringLiteral("InvalidArgument");
    case NotFound: return QStringLiteral("NotFound");
    case Erased: return QStringLiteral("Erased");
    case FileError: return QStringLiteral("FileError");
    case Cancelled: return QStringLiteral("Cancelled");
    case AlreadyLoaded: return QStringLiteral("AlreadyLoaded");
    case Failed: break;
    }
    return QStringLiteral("Failed");
}
