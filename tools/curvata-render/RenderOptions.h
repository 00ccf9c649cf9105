#pragma once

#include "ConstLine.h"
#include "TablePoint.h"

#include <QSize>
#include <QString>
#include <QStringList>

// What to render: the command line of curvata-render, parsed.
struct RenderOptions
{
    QString databaseDirectory;
    QString typeName;
    QStringList fuseNames;
    QSize size = QSize(1200, 800);
    bool legend = true;
    bool grid = true;
    bool boundary = false;
    bool scientific = false;
    bool tablePoints = true;
    QList<QPair<QString, float>> xLines;
    QList<QPair<QString, float>> yLines;
    TablePointList points;
    QString output;
    // A project file to render instead of --type, --fuse and the lines, and
    // where its table of points goes ("-": standard output).
    QString projectFile;
    QString tableOut;

    // Parses the arguments (without the program name). On failure returns
    // false with the reason in *error.
    bool parse(const QStringList& arguments, QString* error);
    static QString usage();
};
