#pragma once

#include "TableSchema.h"

#include <QString>

// A schema in a small text format, one statement a line:
//   # comment
//   name  <schema name>
//   field <NAME> int32|int16|float|date|datetime
//   field <NAME> string <width>
//   index <NAME> <FIELD;FIELD;...> [primary] [unique]
class SchemaFile
{
public:
    // Throws TableError naming the file and line.
    static TableSchema parse(const QString& text, const QString& fileName);
    static TableSchema load(const QString& path);
    static QString help();
};
