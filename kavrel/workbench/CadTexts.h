#pragma once

#include <QString>

// The texts of the CAD connection, the insertion and the synchronisation by
// language code: the open-drawing confirmation, the warning about an unsaved
// drawing when the workbench closes, the progress title of the
// synchronisation and the fixed texts that every language shares. ANG, SLO
// and HRV have their own; every other code gets the English texts, as the
// workbench window does, so that no box is ever empty.
struct CadTexts
{
    QString openTitle;    // "Confirmation"
    QString openQuestion; // "Do you want to open " + BOM name
    QString missingFile;  // the BOM's drawing file does not exist

    // The box about an unsaved drawing: a title and five lines.
    QString unsavedTitle;
    QString unsavedLine1Before, unsavedLine1After; // around the drawing's name
    QString unsavedLine3;
    QString unsavedLine5Symbols, unsavedLine5Dimensions; // by the BOM's Type

    static CadTexts forLanguage(const QString& code);

    // The text of the unsaved-drawing box for the BOM named `name` of
    // `type` ("S" or "D"): lines 1 to 5, the second and fourth empty.
    QString unsavedText(const QString& name, const QString& type) const;

    // Texts every language shares.
    static QString cannotConnect();
    static QString tryAgain();        // after a failed insertion
    static QString blockExcept();     // the debug log's line for it
    static QString insertionPrompt(); // the pick of the insertion point
    static QString firstContactPrompt();
    static QString secondContactPrompt();
    static QString synchronizingTitle(const QString& drawingName);
};
