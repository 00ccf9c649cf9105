#include "ProductSearch.h"

#include "TDBX.h"

namespace {

const QString LINK1 = QStringLiteral("LINK1");
const QString LINK2 = QStringLiteral("LINK2");
const QString LINK3 = QStringLiteral("LINK3");
const QString LOOK = QStringLiteral("LOOK");
const QString KODA = QStringLiteral("KODA");

// Calls f(rowId) for the live rows of a table in file order.
template <typename F> void eachRow(const ClientTable& table, F f)
{
    for (int row = 0; row < table.rowSlots(); ++row)
        if (table.isLive(row))
            f(row);
}

} // namespace

size_t qHash(const std::tuple<int, QString, int>& key, size_t seed = 0)
{
    return qHashMulti(seed, std::get<0>(key), std::get<1>(key), std::get<2>(key));
}

QString ProductSearch::normalizedCode(const QString& code)
{
    QString result = code;
    while (!result.isEmpty() &&
           (result.back() == QLatin1Char(' ') || result.back() == QLatin1Char('*')))
        result.chop(1);
    return result;
}

void ProductSearch::buildIndex(TDBX& dbx)
{
    m_textByCode.clear();
    m_nodeByText.clear();
    m_parentByNode.clear();
    m_treeRows.clear();
    // First rows win: insert only keys not seen yet.
    const ClientTable& texts = dbx.textTable();
    const int koda = texts.schema().fieldIndex(KODA);
    const int textLink = texts.schema().fieldIndex(LINK3);
    eachRow(texts, [&](int row) {
        const QString code = texts.cell(row, koda).toString();
        if (!m_textByCode.contains(code))
            m_textByCode.insert(code, texts.cell(row, textLink).toInt());
    });
    const ClientTable& attrs = dbx.attributeTable();
    const int aLook = attrs.schema().fieldIndex(LOOK);
    const int aLink2 = attrs.schema().fieldIndex(LINK2);
    const int aLink3 = attrs.schema().fieldIndex(LINK3);
    eachRow(attrs, [&](int row) {
        const QPair<QString, int> key(attrs.cell(row, aLook).toString(),
                                      attrs.cell(row, aLink3).toInt());
        if (!m_nodeByText.contains(key))
            m_nodeByText.insert(key, attrs.cell(row, aLink2).toInt());
    });
    const ClientTable& tree = dbx.treeTable();
    const int tLink1 = tree.schema().fieldIndex(LINK1);
    const int tLook = tree.schema().fieldIndex(LOOK);
    const int tLink2 = tree.schema().fieldIndex(LINK2);
    eachRow(tree, [&](int row) {
        const int link1 = tree.cell(row, tLink1).toInt();
        const QString look = tree.cell(row, tLook).toString();
        const int link2 = tree.cell(row, tLink2).toInt();
        const QPair<QString, int> key(look, link2);
        if (!m_parentByNode.contains(key))
            m_parentByNode.insert(key, link1);
        m_treeRows.insert({link1, look, link2});
    });
    m_indexed = &dbx;
}

bool ProductSearch::parentOf(const QString& look, int node, int* parent) const
{
    const auto it = m_parentByNode.constFind(qMakePair(look, node));
    if (it == m_parentByNode.constEnd())
        return false;
    *parent = it.value();
    return true;
}

ProductSearch::Result ProductSearch::find(TDBX& dbx, const QString& code)
{
    Result result;
    const QString wanted = normalizedCode(code);
    // An empty code would find the first text that is no product name at
    // all and wander off to some node; it finds nothing instead.
    if (wanted.isEmpty() || !dbx.openSearch())
        return result;
    if (m_indexed != &dbx)
        buildIndex(dbx);
    const auto text = m_textByCode.constFind(wanted);
    if (text == m_textByCode.constEnd())
        return result;
    result.outcome = Result::Stop;

    // The branch code of the segment's groups. K1T1 carries its segment
    // row's LOOK, so an empty segment still has one to offer.
    QString branch;
    if (!dbx.K1T1.isEmpty())
        branch = dbx.K1T1.asString(LOOK);
    else if (!dbx.K1T0.isEmpty())
        branch = dbx.K1T0.asString(LOOK);
    else
        return result;

    const auto node = m_nodeByText.constFind(qMakePair(branch, text.value()));
    if (node == m_nodeByText.constEnd())
        return result;
    const int product = node.value();
    int g3 = 0, g2 = 0, g1 = 0, top = 0;
    if (!parentOf(branch, product, &g3) || !parentOf(branch, g3, &g2) ||
        !parentOf(branch, g2, &g1) || !parentOf(branch, g1, &top))
        return result;

    // A group listed under several segments opens in the lowest-numbered one.
    int segment = -1;
    for (int candidate = 4; candidate >= 2; --candidate) {
        if (m_treeRows.contains({candidate, branch, g1}))
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
