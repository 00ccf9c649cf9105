#include "SampleCatalogue.h"

#include <QDir>
#include <QSet>

#include <algorithm>

const QStringList& SampleCatalogue::languages()
{
    static const QStringList codes = {QStringLiteral("SLO"), QStringLiteral("ANG"),
                                      QStringLiteral("NEM"), QStringLiteral("HRV")};
    return codes;
}

QString SampleCatalogue::key(int node, const QString& look, int sort)
{
    return QStringLiteral("%1/%2/%3").arg(node).arg(look).arg(sort);
}

SampleCatalogue SampleCatalogue::load(const QString& directory)
{
    const QDir dir(directory);
    SampleCatalogue c;
    const CsvTable tree = CsvTable::read(dir.filePath(QStringLiteral("tree.csv")));
    for (int i = 0; i < tree.rowCount(); ++i)
        c.m_tree[tree.intValue(i, QStringLiteral("LINK1"))].append(
            {tree.intValue(i, QStringLiteral("SORT")), tree.value(i, QStringLiteral("LOOK")),
             tree.intValue(i, QStringLiteral("LINK2"))});
    for (auto& rows : c.m_tree)
        std::sort(rows.begin(), rows.end(), [](const TreeRow& a, const TreeRow& b) {
            return a.sort != b.sort ? a.sort < b.sort : a.child < b.child;
        });

    const CsvTable attrs = CsvTable::read(dir.filePath(QStringLiteral("attributes.csv")));
    for (int i = 0; i < attrs.rowCount(); ++i) {
        const int node = attrs.intValue(i, QStringLiteral("LINK2"));
        const int sort = attrs.intValue(i, QStringLiteral("SORT"));
        const Attribute a{attrs.intValue(i, QStringLiteral("LINK3")),
                          attrs.value(i, QStringLiteral("TIPTX"))};
        const QString k = key(node, attrs.value(i, QStringLiteral("LOOK")), sort);
        auto it = c.m_attributes.find(k);
        if (it == c.m_attributes.end())
            c.m_attributes.insert(k, a);
        else if (a.link3 < it->link3)
            *it = a;
        if (attrs.value(i, QStringLiteral("LOOK")) == u"A" && sort >= 11 && sort <= 13)
            c.m_drawingRows.append({sort, node});
    }

    const CsvTable texts = CsvTable::read(dir.filePath(QStringLiteral("texts.csv")));
    for (int i = 0; i < texts.rowCount(); ++i) {
        TextRow row{
            texts.intValue(i, QStringLiteral("SORT")), texts.value(i, QStringLiteral("KODA")), {}};
        for (const QString& lang : languages())
            row.byLanguage.insert(lang, texts.value(i, lang));
        const int number = texts.intValue(i, QStringLiteral("LINK3"));
        auto it = c.m_texts.find(number);
        if (it == c.m_texts.end())
            c.m_texts.insert(number, row);
        else if (row.sort < it->sort)
            *it = row;
    }

    const CsvTable pics = CsvTable::read(dir.filePath(QStringLiteral("pictures.csv")));
    for (int i = 0; i < pics.rowCount(); ++i)
        c.m_pictures.append(
            {pics.intValue(i, QStringLiteral("LINK3")), pics.value(i, QStringLiteral("IME"))});

    const CsvTable certs = CsvTable::read(dir.filePath(QStringLiteral("certificates.csv")));
    for (int i = 0; i < certs.rowCount(); ++i)
        c.m_certificates.append(
            {certs.value(i, QStringLiteral("SIFRA")), certs.value(i, QStringLiteral("SIFRAAT")),
             certs.value(i, QStringLiteral("ST_ATESTA")),
             certs.value(i, QStringLiteral("ST_POROC")), certs.value(i, QStringLiteral("Files"))});
    return c;
}

QVector<int> SampleCatalogue::children(int node, const QString& look) const
{
    QVector<int> out;
    for (const TreeRow& row : m_tree.value(node))
        if (row.look == look)
            out.append(row.child);
    return out;
}

QVector<int> SampleCatalogue::segments() const
{
    return children(0);
}

QVector<int> SampleCatalogue::chapters() const
{
    QVector<int> out;
    for (int segment : segments())
        for (int chapter : children(segment))
            if (!out.contains(chapter))
                out.append(chapter);
    return out;
}

QVector<QPair<int, int>> SampleCatalogue::groups(int chapter) const
{
    QVector<QPair<int, int>> out;
    for (int l1 : children(chapter)) {
        out.append({1, l1});
        for (int l2 : children(l1))
            out.append({2, l2});
    }
    return out;
}

QVector<int> SampleCatalogue::products(int chapter) const
{
    QVector<int> out;
    for (int l1 : children(chapter))
        for (int l2 : children(l1))
            out += children(l2);
    return out;
}

QVector<int> SampleCatalogue::allProducts() const
{
    QVector<int> out;
    for (int chapter : chapters())
        out += products(chapter);
    return out;
}

const SampleCatalogue::Attribute* SampleCatalogue::attribute(int node, const QString& look,
                                                             int sort) const
{
    const auto it = m_attributes.constFind(key(node, look, sort));
    return it == m_attributes.constEnd() ? nullptr : &*it;
}

std::optional<QString> SampleCatalogue::text(int node, const QString& look, int sort,
                                             const QString& language) const
{
    const Attribute* a = attribute(node, look, sort);
    if (!a)
        return std::nullopt;
    const auto it = m_texts.constFind(a->link3);
    if (it == m_texts.constEnd())
        return std::nullopt;
    return it->byLanguage.value(language);
}

QString SampleCatalogue::name(int node, const QString& language) const
{
    return text(node, QStringLiteral("A"), 0, language).value_or(QString());
}

QString SampleCatalogue::code(int node) const
{
    const Attribute* a = attribute(node, QStringLiteral("A"), 0);
    if (!a)
        return {};
    return m_texts.value(a->link3).koda;
}

int SampleCatalogue::placementPage(int node, int sort) const
{
    const QString page =
        text(node, QStringLiteral("A"), sort, QStringLiteral("ANG")).value_or(QString());
    int digits = 0;
    while (digits < page.size() && page[digits].isDigit())
        ++digits;
    return page.left(digits).toInt();
}

QVector<QPair<QString, QString>> SampleCatalogue::paragraphs(int node,
                                                             const QString& language) const
{
    QVector<QPair<QString, QString>> out;
    for (int sort = 1; sort <= 9; ++sort) {
        const Attribute* a = attribute(node, QStringLiteral("A"), sort);
        if (a)
            out.append(
                {a->tiptx, text(node, QStringLiteral("A"), sort, language).value_or(QString())});
    }
    return out;
}

QMap<QString, int> SampleCatalogue::drawings(int sort) const
{
    QMap<QString, int> out;
    for (const auto& [rowSort, node] : m_drawingRows) {
        if (rowSort != sort)
            continue;
        // Drawing names are the same in every language; collect each spelling.
        for (const QString& lang : languages()) {
            const QString name = text(node, QStringLiteral("A"), sort, lang).value_or(QString());
            if (!name.isEmpty() && !out.contains(name))
                out.insert(name, node);
        }
    }
    return out;
}
