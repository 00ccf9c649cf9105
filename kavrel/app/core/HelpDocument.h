#pragma once

#include <QString>

// The user manual of each language, below the data directory. German and
// Polish have none.
class HelpDocument
{
public:
    // The manual's path relative to the data directory (starting with a
    // backslash), or an empty text when the language has no manual. The
    // Croatian and Slovene paths end with a blank as installed; the path
    // mapping ignores trailing blanks as Windows does.
    static QString relativePath(const QString& language);
    // Data directory + relative path; empty when there is no manual.
    static QString path(const QString& dataDirectory, const QString& language);
};
