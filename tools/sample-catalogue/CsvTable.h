#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// A CSV file as the sample sources and the table tool use it: UTF-8, a header
// row of field names, comma separated, RFC 4180 quoting (quoted fields may hold
// commas, doubled quotes and line breaks), LF or CR LF line ends.
class CsvTable
{
public:
    // Parses the text; throws std::runtime_error naming the line of a fault
    // (an unterminated quote, a row whose field count differs from the header).
    static CsvTable parse(const QString& text, const QString& source = QString());
    // Reads and parses a file; throws std::runtime_error when it cannot be read.
    static CsvTable read(const QString& path);

    explicit CsvTable(const QStringList& header = {});

    const QStringList& header() const { return m_header; }
    int rowCount() const { return m_rows.size(); }
    const QStringList& row(int i) const { return m_rows[i]; }
    // Field of a row by name; throws std::runtime_error for an unknown field.
    QString value(int row, const QString& field) const;
    int intValue(int row, const QString& field) const;
    int column(const QString& field) const;

    void append(const QStringList& row);
    QString toText() const;
    // Writes the file (LF line ends); throws std::runtime_error on failure.
    void write(const QString& path) const;

    static QString quote(const QString& field);

private:
    QStringList m_header;
    QHash<QString, int> m_columns;
    QVector<QStringList> m_rows;
};
