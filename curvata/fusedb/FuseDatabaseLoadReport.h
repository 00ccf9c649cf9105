#pragma once

#include "RecordFileReader.h"

#include <QString>
#include <vector>

// What a load met on its way, for the people who maintain the data: the
// record files read and the records that were skipped or left unlinked,
// with the reason. Only collected when asked for.
struct FuseDatabaseLoadReport
{
    struct TableFile
    {
        QString table;
        QString path;
        RecordFileReader::Statistics statistics;
    };
    struct Issue
    {
        QString table;
        long long record = 0; // 1-based within the table's record file
        QString message;
    };

    std::vector<TableFile> files;
    std::vector<Issue> issues;
    bool stoppedWithoutTopLevelGroup = false;

    // `text` in double quotes with line breaks, tabs and other control
    // characters made visible (\n, \r, \t, \xNN), since names keep them.
    static QString quoted(const QString& text);
};
