#pragma once

#include <QString>

// Paths in both programs are built the way they were on Windows: by plain
// concatenation with backslashes ("data directory" + "\BMP"). Every file
// access goes through toNative(), which turns such a path into one that
// this platform can open.
class WinPath
{
public:
    // Backslashes become '/'; trailing blanks and dots of each component
    // are ignored, as Windows does; a component that does not exist with its
    // exact case is matched without regard to case (data directories copied
    // from Windows). A path that cannot be resolved is returned with its
    // separators converted, so that the caller's open fails and reports it.
    static QString toNative(const QString& winPath);

    // File existence test through the same mapping.
    static bool exists(const QString& winPath);
};
