#include "FocusDetails.h"

#include "TDBX.h"

namespace {

FocusDetails::Drawing drawing(const TDBX& dbx, int node, int sort)
{
    FocusDetails::Drawing result;
    const std::optional<QString> name = dbx.text(node, QStringLiteral("A"), sort);
    if (name && !name->isEmpty()) {
        result.name = *name;
        result.available = true;
    }
    return result;
}

} // namespace

int FocusDetails::pageNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    int start = 0;
    if (trimmed.front() == QLatin1Char('+') || trimmed.front() == QLatin1Char('-'))
        start = 1;
    if (start == trimmed.size())
        return 0;
    for (int i = start; i < trimmed.size(); ++i) {
        if (trimmed[i] < QLatin1Char('0') || trimmed[i] > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? value : 0;
}

FocusDetails FocusDetails::compute(const TDBX& dbx, const QString& dataDir, int level, int node,
                                   int chapterNode, bool withDrawings)
{
    FocusDetails d;
    d.level = level;
    const QString look = QStringLiteral("A");
    d.chapter = dbx.text(chapterNode, look, 0).value_or(QString());
    d.catalogueDocument = dataDir + QStringLiteral("\\PDF\\") + d.chapter + QStringLiteral(".PDF");
    d.technicalDocument = dataDir + QStringLiteral("\\PDF\\TECH_DATA.PDF");
    d.cataloguePage = pageNumber(dbx.text(node, look, 10).value_or(QString()));
    d.technicalPage = pageNumber(dbx.text(node, look, 20).value_or(QString()));
    if (level == 3) {
        const std::optional<TDBX::Text> name = dbx.lookup(node, look, 0);
        d.certificateCode = name ? name->koda : QString();
    }
    if (withDrawings) {
        d.symbol1 = drawing(dbx, node, 12);
        d.symbol3 = drawing(dbx, node, 13);
        d.dimension = drawing(dbx, node, 11);
    }
    return d;
}
