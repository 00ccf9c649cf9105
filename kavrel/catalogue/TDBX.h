#pragma once

// The catalogue data module: the five catalogue tables, loaded whole and kept
// open (read-only) for the program's life, and the named views the windows
// browse them through. Views of one table share its rows; each keeps its own
// order, master link, filter and current row.
//
// Runs without a display: windows get failures as text and show them.

#include "TableView.h"

#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class TDBX
{
    // Declared first: the views below are built on them.
    ClientTable m_tree;
    ClientTable m_attributes;
    ClientTable m_texts;
    ClientTable m_pictures;
    ClientTable m_certs;

public:
    TDBX();
    ~TDBX();
    TDBX(const TDBX&) = delete;
    TDBX& operator=(const TDBX&) = delete;

    // Table files, joined to the database directory with "\".
    static QString treeFile() { return QStringLiteral("T1.CDS"); }
    static QString attributeFile() { return QStringLiteral("T2.CDS"); }
    static QString textFile() { return QStringLiteral("T3.CDS"); }
    static QString pictureFile() { return QStringLiteral("T4.CDS"); }
    static QString certFile() { return QStringLiteral("cert.cds"); }

    // The segment filters of K1T0 for selector items 0..2, and the filter in
    // force before the first segment change.
    static QString segmentFilter(int segment);
    static QString initialFilter() { return QStringLiteral("LINK1=0"); }
    // The name the calculated fields give a node without a name text.
    static QString missingName() { return QStringLiteral("Ne dela"); }

    // Opens the catalogue from `databaseDir` (a program path, the value of
    // DIRDB): texts, attributes, tree, pictures, in the order their first
    // views are opened. On the first table that cannot be opened it stops
    // and returns false with the engine's message in *error; the views not
    // yet opened stay closed. Cert and the search views stay closed.
    //
    // So that the window can show its first tree at once, the two large
    // tables (attributes and texts) are only checked here and loaded with
    // the rows of the segments and their top-level groups (what the first
    // tree and the page of its first group read); the rest follows in short
    // slices on the event loop, or at once when something needs it.
    bool open(const QString& databaseDir, QString* error = nullptr);
    // True when every table opened.
    bool isOpen() const { return m_opened; }
    // True once every table holds all its rows.
    bool isFullyLoaded() const { return m_texts.isComplete() && m_attributes.isComplete(); }
    // Reads whatever is still missing now.
    void finishLoading();
    // A table that turns out damaged while the rest of it is read is closed;
    // the handler receives the engine's message (the windows show it).
    void setLoadErrorHandler(std::function<void(const QString& message)> handler)
    {
        m_onLoadError = std::move(handler);
    }
    const QString& databaseDir() const { return m_databaseDir; }

    // The language code ("ANG", "SLO", ...) whose text column is read. A code
    // without a column of its own (e.g. "POL") reads the English column.
    void setLanguage(const QString& code);
    const QString& language() const { return m_language; }
    QString textColumn() const; // the column actually read

    // Filters K1T0 to segment 0..2 of the selector; the detail views follow.
    void setSegment(int segment);
    int segment() const { return m_segment; } // -1 before the first change

    // ---- Text lookup: (node number, LOOK, SORT) -> attribute row (lowest
    // LINK3 of that key) -> first text row (lowest SORT) of its LINK3. No
    // view is moved, so it may run on every repaint.
    struct Text
    {
        QString text;  // the column of the language code
        QString koda;  // KODA of the text row
        QString tiptx; // TIPTX of the attribute row
        int link3 = 0; // LINK3 of the attribute row
    };
    std::optional<Text> lookup(int node, const QString& look, int sort) const;
    std::optional<QString> text(int node, const QString& look, int sort) const;
    // The LINK3 of the attribute row (node, LOOK, SORT) without its text.
    std::optional<int> attributeLink(int node, const QString& look, int sort) const;

    // ---- Certificates: open while the certificate tab is shown.
    // Loads cert.cds on first use; false with the engine's message on error.
    bool openCert(QString* error = nullptr);
    void closeCert();
    bool isCertOpen() const { return m_certOpen; }
    // "SIFRA='" + code + "'" (code "" at start); kept while Cert is closed.
    void setCertCode(const QString& code);
    const QString& certCode() const { return m_certCode; }

    // ---- Search views: opened by the first search, then stay open.
    bool openSearch(QString* error = nullptr);
    bool isSearchOpen() const { return m_searchOpen; }

    // ---- The tables.
    ClientTable& treeTable() { return m_tree; }
    ClientTable& attributeTable() { return m_attributes; }
    ClientTable& textTable() { return m_texts; }
    ClientTable& pictureTable() { return m_pictures; }
    ClientTable& certTable() { return m_certs; }

    // ---- The views, by their names.
    TableView K1T0;     // tree, file order, segment filter
    TableView K1T1;     // tree, level 0 below K1T0 (groups of the segment)
    TableView K1T2;     // tree, level 1 below K1T1
    TableView K1T3;     // tree, level 2 below K1T2
    TableView K1T4;     // tree, level 3 below K1T3: products
    TableView K2T1;     // attributes, keyed lookup of text rows
    TableView K2T3;     // attributes, picture row of the focused node
    TableView K3T1;     // texts, keyed lookup for the calculated fields
    TableView K3T2;     // texts of the current K2T1 row
    TableView K4T1;     // picture of the current K2T3 row
    TableView Cert;     // certificates of the focused product, ordered by SIFRA
    TableView IsciCDS1; // search: tree, file order
    TableView IsciCDS2; // search: attributes, file order
    TableView IsciCDS3; // search: texts, file order

    // The tree view of a level 0..3 (K1T1..K1T4); nullptr otherwise.
    TableView* levelView(int level);

private:
    void setUpTextViews();
    void setUpAttributeViews();
    void setUpTreeViews();
    void setUpPictureViews();
    void applyCertFilter();
    bool openTable(ClientTable& table, const QString& file, const TableSchema& schema,
                   QString* error, bool staged = false);
    void loadFirstRows();
    void loadSlice();
    void linkTextsToAttributes();

    // Views used by lookups so that no view the windows show moves.
    mutable TableView m_lookAttr;
    mutable TableView m_lookText;

    QTimer m_loader; // reads the rest of the large tables in slices
    std::function<void(const QString&)> m_onLoadError;
    QString m_databaseDir;
    QString m_language = QStringLiteral("ANG");
    QString m_certCode;
    int m_segment = -1;
    bool m_opened = false;
    bool m_certOpen = false;
    bool m_searchOpen = false;
};
