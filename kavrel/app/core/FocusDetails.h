#pragma once

#include <QString>

class TDBX;

// What the main window keeps for the focused tree node: where its catalogue
// and technical data pages are, and the drawings the workbench inserts.
struct FocusDetails
{
    struct Drawing
    {
        QString name;
        bool available = false;
    };

    int level = -1;
    QString chapter;           // name of the level-0 ancestor (catalogue chapter)
    QString catalogueDocument; // data directory + "\PDF\" + chapter + ".PDF"
    int cataloguePage = 0;     // 0 when not given
    QString technicalDocument; // data directory + "\PDF\TECH_DATA.PDF"
    int technicalPage = 0;
    QString certificateCode; // the product's code at level 3, else empty
    Drawing symbol1;         // one-pole symbol drawing
    Drawing symbol3;         // three-pole symbol drawing
    Drawing dimension;       // dimension drawing

    // Works the values out for `node` at `level` whose level-0 ancestor is
    // `chapterNode` (the node itself at level 0). The drawings are looked up
    // only when `withDrawings` (while the workbench exists).
    static FocusDetails compute(const TDBX& dbx, const QString& dataDir, int level, int node,
                                int chapterNode, bool withDrawings);

    // A page number text: a whole number ("12") counts, anything else
    // ("12a", "", a missing text) gives 0.
    static int pageNumber(const QString& text);
};
