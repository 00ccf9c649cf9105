#pragma once

#include <QString>

class QTextStream;

// Loads the fuse database below a directory the way curvata does and
// writes what it holds: the record files read, the characteristic types,
// the group tree with its fuses, every fuse with its characteristics, and
// the records that were skipped or left unlinked, with the reason.
class FuseDatabaseDump
{
public:
    // `directory` is curvata's working directory or the database directory
    // itself. Returns the exit code: 0 when curvata would start with this
    // database, 1 when it would refuse it.
    static int run(const QString& directory, QTextStream& out);
};
