#pragma once

#include <QString>

// The PDF window's own texts by language code: the tool tips of its tool
// bar, the find status and the notices shown in place of a document that
// cannot be shown. Codes without their own texts keep the English ones.
struct PdfWindowTexts
{
    QString previousPage, nextPage, page, zoomIn, zoomOut, fitWidth, fitPage, print, find,
        findNext, findPrevious;
    QString pageOf;     // "of %1": after the page field, %1 the page count
    QString matchOf;    // "%1 of %2": the match shown and the number of matches
    QString notFound;   // the text to find is not in the document
    QString missing;    // %1: the file that does not exist
    QString unreadable; // %1: the file that is no PDF document
    QString noPage;     // the focused item has no page in the document
    QString printFailed;

    static PdfWindowTexts forLanguage(const QString& languageCode);
};
