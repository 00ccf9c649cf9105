#pragma once

#include <QString>

// Writes a large catalogue in the shape of the sample's CSV sources, for
// benchmarks: three segments, chapters with four levels, and per product a
// name, nine page paragraphs, page numbers, three drawings and a picture
// (16 attribute rows and 10 own text rows per product). Deterministic for a
// given product count.
class LargeCatalogue
{
public:
    struct Counts
    {
        int products = 0;
        int treeRows = 0;
        int attributeRows = 0;
        int textRows = 0;
        int pictureRows = 0;
        int certificateRows = 0;
    };

    // Writes tree.csv, attributes.csv, texts.csv, pictures.csv and
    // certificates.csv into `directory`; throws std::runtime_error.
    static Counts writeCsv(int products, const QString& directory);
    // Product code of the i-th product (0-based), 7 digits.
    static QString code(int index);
};
