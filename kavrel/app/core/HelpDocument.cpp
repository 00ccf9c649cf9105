#include "HelpDocument.h"

QString HelpDocument::relativePath(const QString& language)
{
    if (language == QLatin1String("ANG"))
        return QStringLiteral("\\Instructions\\Brontel instructions.pdf");
    if (language == QLatin1String("HRV"))
        return QStringLiteral("\\Uputstva\\Uputstvo Brontel .pdf ");
    if (language == QLatin1String("SLO"))
        return QStringLiteral("\\Navodila\\Brontel navodila za uporabo.pdf ");
    return QString();
}

QString HelpDocument::path(const QString& dataDirectory, const QString& language)
{
    const QString relative = relativePath(language);
    return relative.isEmpty() ? QString() : dataDirectory + relative;
}
