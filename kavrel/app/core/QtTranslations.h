#pragma once

#include <QString>
#include <memory>

class QTranslator;

// Qt's own texts (standard buttons, the file and print dialogs) in the
// user's language. The catalogue's language codes name the translations
// that Qt ships ("qt_<locale>.qm" in Qt's translations folder).
class QtTranslations
{
public:
    // "sl", "hr", "de" or "pl" for SLO, HRV, NEM and POL; empty for ANG and
    // any other code, whose Qt texts stay English.
    static QString localeName(const QString& languageCode);

    // Loads and installs the translation of `languageCode` into the running
    // application; it stays installed while the returned object lives.
    // Nothing for English, and nothing when the files are not installed
    // (Qt's texts then stay English, which is no reason to stop the program).
    static std::unique_ptr<QTranslator> install(const QString& languageCode);
};
