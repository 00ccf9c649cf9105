#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// RFC 4180 comma-separated values in UTF-8: records end with CRLF or LF,
// fields may be enclosed in double quotes (then they may hold commas, line
// breaks and doubled quotes).
class CsvFile
{
public:
    struct Record
    {
        int line = 0; // line on which the record starts (1-based)
        QStringList fields;
    };

    // Splits a whole text into records. Throws std::runtime_error-derived
    // TableError naming the line on a quoting error. Empty lines are skipped.
    static std::vector<Record> parse(const QString& text);

    static QString quote(const QString& field);
    static QString formatRecord(const QStringList& fields); // without line end
};
