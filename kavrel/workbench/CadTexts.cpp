#include "CadTexts.h"

CadTexts CadTexts::forLanguage(const QString& code)
{
    CadTexts t;
    if (code == QLatin1String("SLO")) {
        t.openTitle = QStringLiteral("Potrdilo");
        t.openQuestion = QStringLiteral("Ali želite odpreti ");
        t.missingFile = QStringLiteral("Datoteka ne obstaja ");
        t.unsavedTitle = QStringLiteral("OPOZORILO");
        t.unsavedLine1Before = QStringLiteral("Autocad risba ");
        t.unsavedLine1After =
            QStringLiteral(" ni shranjena. Ali se želite vrniti v Autocad in shraniti risbo ?");
        t.unsavedLine3 = QStringLiteral("Pritisnite \"OK\" za povratek v Autocad in shranitev risbe, "
                                        "nato še enkrat zaprite Brontel");
        t.unsavedLine5Symbols = QStringLiteral(
            "Pritisnite \"No\" za izhod iz Brontela. Vse spremembe v kosovnici od zadnjega "
            "shranjevanja risbe bodo zavržene.");
        t.unsavedLine5Dimensions = t.unsavedLine5Symbols;
        return t;
    }
    if (code == QLatin1String("HRV")) {
        t.openTitle = QStringLiteral("Potvrda");
        t.openQuestion = QStringLiteral("Želite otvoriti ");
        t.missingFile = QStringLiteral("Datoteka ne postoji !");
        t.unsavedTitle = QStringLiteral("UPOZORENJE");
        t.unsavedLine1Before = QStringLiteral("Autocad crtež ");
        t.unsavedLine1After =
            QStringLiteral(" nije sahranjen. Želite li se vratiti u Autocad i sahraniti ga ?");
        t.unsavedLine3 = QStringLiteral("Pritisnite \"OK\" za povratak u Autocad, da sahranite "
                                        "crtež, onda ponovno zatvorite Brontel");
        t.unsavedLine5Symbols = QStringLiteral("Pritisnite \"Ne\", da zatvorite Brontel bez "
                                               "sahranjivanja poslednjih promena u Autocadu");
        t.unsavedLine5Dimensions = QStringLiteral(
            "Pritisnite \"Ne\", da zatvorite Brontel bez sahranjivanja poslednjih promena");
        return t;
    }
    t.openTitle = QStringLiteral("Confirmation");
    t.openQuestion = QStringLiteral("Do you want to open ");
    t.missingFile = QStringLiteral("File does not exist !");
    t.unsavedTitle = QStringLiteral("WARNING");
    t.unsavedLine1Before = QStringLiteral("Autocad file ");
    t.unsavedLine1After =
        QStringLiteral(" is not saved. Return to Autocad and save the file ?");
    t.unsavedLine3 = QStringLiteral(
        "Press \"OK\" to return to Autocad and save the file, then close Brontel again");
    t.unsavedLine5Symbols =
        QStringLiteral("Press \"No\" to close Brontel without saving last changes");
    t.unsavedLine5Dimensions = t.unsavedLine5Symbols;
    return t;
}

QString CadTexts::unsavedText(const QString& name, const QString& type) const
{
    const QString& last = type == QLatin1String("D") ? unsavedLine5Dimensions : unsavedLine5Symbols;
    return unsavedLine1Before + name + unsavedLine1After + QStringLiteral("\n\n") + unsavedLine3 +
           QStringLiteral("\n\n") + last;
}

QString CadTexts::cannotConnect()
{
    return QStringLiteral("Cannot connect to Autocad versions 2000,2000i,2002,2004,2005,2006,2007");
}

QString CadTexts::tryAgain()
{
    return QStringLiteral("Please try again !");
}

QString CadTexts::blockExcept()
{
    return QStringLiteral("Block except");
}

QString CadTexts::insertionPrompt()
{
    return QStringLiteral("Insertion point");
}

QString CadTexts::firstContactPrompt()
{
    return QStringLiteral("Pick first symbol contact point !");
}

QString CadTexts::secondContactPrompt()
{
    return QStringLiteral("Pick second symbol contact point !");
}

QString CadTexts::synchronizingTitle(const QString& drawingName)
{
    return QStringLiteral("Synchronizing data with ") + drawingName;
}
