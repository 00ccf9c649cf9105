#pragma once

#include "TableView.h"

#include <QString>

class TDBX;

// The kinds of block the workbench inserts: the one-pole symbol, the
// three-pole symbol (both into schematic drawings) and the dimension drawing
// (into layout drawings).
enum class BlockKind
{
    Symbol,
    Symbol3,
    Dimension
};

// The block drawings of one product, by kind: the bare block names of the
// catalogue ("KS_FUSE"), empty when the product has no drawing of a kind.
struct ProductDrawings
{
    QString symbol;    // attribute SORT 12, folder "\SYM\"
    QString symbol3;   // SORT 13, "\SYM3\"
    QString dimension; // SORT 11, "\DIM\"

    const QString& name(BlockKind kind) const;
    bool operator==(const ProductDrawings&) const = default;
};

// Finds the drawings of a product from its catalogue code, for an item of a
// BOM: the text row with that KODA gives its text number, the attribute row
// ("A") with that text number gives the product's node, and the node's
// attribute rows give the drawings in the catalogue's language. The views
// are built once; a lookup is two keyed searches.
class ProductDrawingLookup
{
public:
    explicit ProductDrawingLookup(TDBX& dbx);

    // The drawings of the node (a product's LINK2).
    ProductDrawings forNode(int node) const;
    // Nothing (all empty) for a code the catalogue does not know.
    ProductDrawings forCode(const QString& code);

private:
    TDBX& m_dbx;
    TableView m_textsByCode;
    TableView m_attributesByText;
};
