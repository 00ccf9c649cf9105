#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's translation of one language. Some languages ship only an older
// catalogue, whose standard button texts ("OK", "Cancel", "&Yes") are filed
// under the dialog button box rather than under the platform theme that
// Qt 6 asks: those are looked up there too, so that the buttons of every
// message box follow the language as well.
class QtCatalogue : public QTranslator
{
public:
    bool load(const QString& locale)
    {
        return m_catalogue.load(QLocale(locale), QStringLiteral("qt"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override
    {
        QString text = m_catalogue.translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = m_catalogue.translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }

    bool isEmpty() const override { return m_catalogue.isEmpty(); }

private:
    QTranslator m_catalogue;
};

} // namespace

QString QtTranslations::localeName(const QString& languageCode)
{
    if (languageCode == QLatin1String("SLO"))
        return QStringLiteral("sl");
    if (languageCode == QLatin1String("HRV"))
        return QStringLiteral("hr");
    if (languageCode == QLatin1String("NEM"))
        return QStringLiteral("de");
    if (languageCode == QLatin1String("POL"))
        return QStringLiteral("pl");
    return QString();
}

std::unique_ptr<QTranslator> QtTranslations::install(const QString& languageCode)
{
    const QString locale = localeName(languageCode);
    if (locale.isEmpty() || !QCoreApplication::instance())
        return nullptr;
    // "qt_<locale>" is the whole of Qt's texts: for most languages a small
    // file that pulls in "qtbase_<locale>" and the other modules.
    auto catalogue = std::make_unique<QtCatalogue>();
    if (!catalogue->load(locale) || !QCoreApplication::installTranslator(catalogue.get()))
        return nullptr;
    return catalogue;
}
