#pragma once

#include <QString>
#include <QTextStream>

// The commands of kavrel-tables. Each throws TableError with a message that
// names the file (and line) on failure.
class TablesTool
{
public:
    // `schema` is a named schema or the path of a schema file.
    static void create(const QString& schema, const QString& csvPath, const QString& outPath);
    // To `outPath`, or to `out` when the path is empty.
    static void exportCsv(const QString& tablePath, const QString& outPath, QTextStream& out);
    static void info(const QString& tablePath, QTextStream& out);
    static QString usage();
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);
};
