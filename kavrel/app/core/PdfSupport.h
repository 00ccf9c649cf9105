#pragma once

// Whether the PDF module can load documents at all on this system. The
// PDF window checks it when it is created, so that a broken installation
// gets the missing-viewer message instead of empty windows.
class PdfSupport
{
public:
    // Writes a one-page document and loads it back; the answer is kept for
    // the life of the program (the module does not change meanwhile).
    static bool canLoadDocuments();
    // The check itself, run every time (tests).
    static bool probe();
};
