#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <tuple>

class ClientTable;
class TDBX;

// Finds a product by its catalogue code in the whole catalogue files and
// works out the way to it: the segment it belongs to and the node numbers
// of its three ancestors. Every look-up takes the first row in file order,
// as locating in the search views does; the catalogue never changes while
// the program runs, so the look-ups are indexed once, at the first search.
class ProductSearch
{
public:
    struct Result
    {
        enum Outcome
        {
            NotFound, // the code is in no text row: the user is told
            Stop,     // found, but not reachable: nothing changes, no message
            Found     // segment and path are set
        } outcome = NotFound;
        int segment = -1; // selector item 0..2
        int group1 = 0;   // level 0 node number
        int group2 = 0;   // level 1
        int group3 = 0;   // level 2
        int product = 0;  // level 3
    };

    // `code` as the code field gives it; trailing blanks and unfilled
    // positions are not part of the code. An empty code finds nothing.
    Result find(TDBX& dbx, const QString& code);

    // The code the text table is searched for.
    static QString normalizedCode(const QString& code);

private:
    void buildIndex(TDBX& dbx);
    bool parentOf(const QString& look, int node, int* parent) const;

    const TDBX* m_indexed = nullptr;
    QHash<QString, int> m_textByCode;               // KODA -> LINK3
    QHash<QPair<QString, int>, int> m_nodeByText;   // (LOOK, LINK3) -> LINK2
    QHash<QPair<QString, int>, int> m_parentByNode; // (LOOK, LINK2) -> LINK1
    QSet<std::tuple<int, QString, int>> m_treeRows; // (LINK1, LOOK, LINK2)
};
