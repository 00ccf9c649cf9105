#pragma once

#include "CsvTable.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// The sample catalogue as read from its CSV sources, with the look-ups that the
// generators need: the tree below the market segments, texts by role and
// language, pictures, drawings and certificates. Look-ups follow the rules of
// the catalogue program: the lowest text number of a role wins, and of the
// text rows of one number the lowest SORT.
class SampleCatalogue
{
public:
    static const QStringList& languages(); // "SLO", "ANG", "NEM", "HRV"

    // Reads tree.csv, attributes.csv, texts.csv, pictures.csv and
    // certificates.csv from the directory; throws std::runtime_error.
    static SampleCatalogue load(const QString& directory);

    struct Certificate
    {
        QString code, certificate, number, report, file;
    };
    struct Picture
    {
        int number = 0;
        QString name;
    };

    // Children of a node in tree order (SORT, then node number), following only
    // rows that carry the parent row's branch code.
    QVector<int> children(int node, const QString& look = QStringLiteral("A")) const;
    // The market segments (children of node 0) and, in order of first
    // appearance, the top-level groups below them.
    QVector<int> segments() const;
    QVector<int> chapters() const;
    // The products (level 3) below a chapter, in tree order.
    QVector<int> products(int chapter) const;
    // Level-1 and level-2 groups below a chapter, in tree order, as (level, node).
    QVector<QPair<int, int>> groups(int chapter) const;

    std::optional<QString> text(int node, const QString& look, int sort,
                                const QString& language) const;
    QString name(int node, const QString& language) const; // empty when absent
    QString code(int node) const;                          // KODA of the name text
    // Page number for placing a node in a document: the leading digits of the
    // page text ("12a" is placed on page 12), 0 when none.
    int placementPage(int node, int sort) const;
    // Paragraphs 1 to 9 of a node's page in the language, as (style, text).
    QVector<QPair<QString, QString>> paragraphs(int node, const QString& language) const;

    const QVector<Picture>& pictures() const { return m_pictures; }
    const QVector<Certificate>& certificates() const { return m_certificates; }
    // Drawing names by kind: SORT 11 dimension drawings, 12 one-pole and 13
    // three-pole symbols, each with one node that uses it.
    QMap<QString, int> drawings(int sort) const;
    QVector<int> allProducts() const;

private:
    struct Attribute
    {
        int link3;
        QString tiptx;
    };
    struct TextRow
    {
        int sort;
        QString koda;
        QHash<QString, QString> byLanguage;
    };
    struct TreeRow
    {
        int sort;
        QString look;
        int child;
    };
    static QString key(int node, const QString& look, int sort);
    const Attribute* attribute(int node, const QString& look, int sort) const;

    QHash<int, QVector<TreeRow>> m_tree;
    QHash<QString, Attribute> m_attributes; // lowest LINK3 per node/look/sort
    QHash<int, TextRow> m_texts;            // lowest SORT per text number
    QVector<Picture> m_pictures;
    QVector<Certificate> m_certificates;
    QVector<QPair<int, int>> m_drawingRows; // (sort, node)
};
