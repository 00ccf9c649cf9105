#pragma once

#include <QString>

// Where curvata's fuse database lies: below the working directory the
// program was started in, in "fuseDbDir" and then "fuse" (a step whose
// directory is missing is skipped, so the working directory itself or
// either level may hold the files). The directory is kept explicitly
// instead of changing the process's working directory, so that file
// dialogs cannot move the database away from under the program.
class FuseDatabaseLocation
{
public:
    // The database directory that `workingDirectory` leads to.
    static QString resolve(const QString& workingDirectory);

    // The directory the single-instance tables load from: the one set,
    // else resolve(current working directory).
    static QString directory();
    static void setDirectory(const QString& directory);
};
