#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

// The table list file "fuse" of a fuse database: words separated by white
// space, which must include each table name as a whole word (exact,
// case-sensitive). Other words and the order do not matter.
class TableListFile
{
public:
    // The tables, in the order in which their presence is checked.
    static QStringList requiredTables();

    // The first required table that `contents` does not name, or an empty
    // string when it names them all.
    static QString firstMissingTable(std::string_view contents);

    // Checks the file "fuse" in `directory`. False when it is missing,
    // unreadable or lacks a table; *problem then says which.
    static bool check(const QString& directory, QString* problem = nullptr);
};
