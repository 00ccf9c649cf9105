#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <vector>

class TDBX;

// Builds a small catalogue for a test: rows are collected in memory, then
// written through the table engine into a temporary database directory and
// opened by a data module.
class CatalogueBuilder
{
public:
    CatalogueBuilder();
    ~CatalogueBuilder();

    void tree(int link1, const QString& look, int sort, int link2);
    void attribute(int link2, const QString& look, int sort, int link3,
                   const QString& tiptx = QString());
    void text(int link3, int sort, const QString& koda, const QString& ang,
              const QString& slo = QString(), const QString& nem = QString(),
              const QString& hrv = QString());
    void picture(int link3, const QString& ime);
    void certificate(const QString& sifra, const QString& sifraat, const QString& atesta,
                     const QString& poroc, const QString& files);

    // A node with its tree row under `parent` (branch "A") and its name row
    // (A/0) leading to a new text with `code` and `name` in every language.
    void node(int parent, int sort, int number, const QString& code, const QString& name);
    // A text row A/`sort` of `node` with a new text; returns its text number.
    int nodeText(int node, int sort, const QString& text, const QString& tiptx = QString());

    // Writes the five table files and returns the database directory.
    QString write();
    // write(), then a data module opened on it with `language`, segment 0.
    std::unique_ptr<TDBX> open(const QString& language = QStringLiteral("ANG"));

    QString databaseDir() const { return m_dir.path(); }
    // A directory for pictures and documents beside the tables.
    QString dataDir() const { return m_dir.path() + QStringLiteral("/data"); }

private:
    using Row = std::vector<QVariant>;
    void writeTable(const QString& file, const class TableSchema& schema,
                    const std::vector<Row>& rows);

    QTemporaryDir m_dir;
    std::vector<Row> m_tree, m_attributes, m_texts, m_pictures, m_certs;
    int m_nextText = 50000;
};
