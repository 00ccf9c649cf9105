#pragma once

#include <QString>

class QPagedPaintDevice;
class QPdfDocument;

// Prints pages of a loaded PDF document on a paged device: a printer, or a
// PDF writer. Each page is scaled to fit the device's page, keeping its
// proportions, centred, one document page per sheet.
class PdfPagePrinter
{
public:
    // Pages `from` to `to`, counted from 1 and clamped to the document.
    // False with the reason when the document has no pages, the device
    // cannot be painted on or a page cannot be rendered.
    static bool print(QPdfDocument& document, QPagedPaintDevice& device, int from, int to,
                      QString* error = nullptr);

    // Pages are rendered at the device's resolution, but at most at this
    // many dots per inch: more gives no better print, only larger images.
    static constexpr int MaxDotsPerInch = 300;
};
