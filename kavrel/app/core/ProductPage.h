#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class TDBX;
class TableView;

// The product page of a tree node: up to nine centred paragraphs from the
// node's text rows 1 to 9, styled by the attribute row's TIPTX ("B"
// heading, "C" underlined, empty plain). The texts are catalogue content
// and go into the page as they stand, markup included.
class ProductPage
{
public:
    explicit ProductPage(TDBX& dbx);
    ~ProductPage();
    ProductPage(const ProductPage&) = delete;
    ProductPage& operator=(const ProductPage&) = delete;

    // The page, line by line.
    QStringList lines(int node);
    // The lines joined as the page text (CR LF line ends).
    QString html(int node) { return join(lines(node)); }
    static QString join(const QStringList& lines);

private:
    TDBX& m_dbx;
    // Its own cursor on the attribute table: the paragraph style is needed
    // also when the paragraph's text row is missing.
    std::unique_ptr<TableView> m_attributes;
};
