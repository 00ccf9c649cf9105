#include "ProductSearch.h"

#include "TDBX.h"

namespace {

const QString LINK1 = QStringLiteral("LINK1");
const QString LINK2 = QStringLiteral("LINK2");
const QString LINK3 = QStringLiteral("LINK3");
const QString LOOK = QStringLiteral("LOOK");
const QString KODA = QStringLiteral("KODA");

// The parent (LINK1) of the first tree row that makes `node` visible under
// branch `look`; false when there is none.
bool parentOf(TDBX& dbx, const QString& look, int node, int* parent)
{
    if (!dbx.IsciCDS1.locate({LOOK, LINK2}, {look, node}))
        return false;
    *parent = int(dbx.IsciCDS1.asInt(LINK1));
    return true;
}

} // namespace

QString ProductSearch::normalizedCode(const QString& code)
{
    QString result = code;
    while (!result.isEmpty() &&
           (result.back() == QLatin1Char(' ') || result.back() == QLatin1Char('*')))
        result.chop(1);
    return result;
}

ProductSearch::Result ProductSearch::find(TDBX& dbx, const QString& code)
{
    Result result;
    const QString wanted = normalizedCode(code);
    // An empty code would find the first text that is no product name at
    // all and wander off to some node; it finds nothing instead.
    if (wanted.isEmpty() || !dbx.openSearch())
        return result;
    if (!dbx.IsciCDS3.locate({KODA}, {wanted}))
        return result;
    result.outcome = Result::Stop;
    const int text = int(dbx.IsciCDS3.asInt(LINK3));

    // The branch code of the segment's groups. K1T1 carries its segment
    // row's LOOK, so an empty segment still has one to offer.
    QString branch;
    if (!dbx.K1T1.isEmpty())
        branch = dbx.K1T1.asString(LOOK);
    else if (!dbx.K1T0.isEmpty())
        branch = dbx.K1T0.asString(LOOK);
    else
        return result;

    if (!dbx.IsciCDS2.locate({LOOK, LINK3}, {branch, text}))
        return result;
    const int product = int(dbx.IsciCDS2.asInt(LINK2));
    int g3 = 0, g2 = 0, g1 = 0;
    if (!parentOf(dbx, branch, product, &g3) || !parentOf(dbx, branch, g3, &g2) ||
        !parentOf(dbx, branch, g2, &g1))
        return result;
    if (!dbx.IsciCDS1.locate({LOOK, LINK2}, {branch, g1}))
        return result;

    // A group listed under several segments opens in the lowest-numbered one.
    int segment = -1;
    for (int candidate = 4; candidate >= 2; --candidate) {
        if (dbx.IsciCDS1.locate({LINK1, LOOK, LINK2}, {candidate, branch, g1}))
            segment = candidate;
    }
    if (segment < 0)
        return result;

    result.outcome = Result::Found;
    result.segment = segment - 2;
    result.group1 = g1;
    result.group2 = g2;
    result.group3 = g3;
    result.product = product;
    return result;
}
