#include "RenderOptions.h"

namespace {

bool parseSwitch(const QString& text, bool* value)
{
    const QString t = text.toLower();
    if (t == "on" || t == "true" || t == "1" || t == "yes") {
        *value = true;
        return true;
    }
    if (t == "off" || t == "false" || t == "0" || t == "no") {
        *value = false;
        return true;
    }
    return false;
}

bool parseNamedValue(const QString& text, QPair<QString, float>* line)
{
    const int eq = text.lastIndexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    bool ok = false;
    const float value = text.mid(eq + 1).toFloat(&ok);
    if (!ok)
        return false;
    *line = qMakePair(text.left(eq), value);
    return true;
}

} // namespace

QString RenderOptions::usage()
{
    return QStringLiteral(
        "Usage: curvata-render --db DIR --type NAME --fuse NAME [--fuse NAME ...]\n"
        "                      [--size WIDTHxHEIGHT] [--legend on|off] [--grid on|off]\n"
        "                      [--boundary on|off] [--scientific on|off]\n"
        "                      [--table-points on|off] [--point X,Y ...]\n"
        "                      [--x-line NAME=VALUE ...] [--y-line NAME=VALUE ...]\n"
        "                      --output FILE.png|FILE.pdf|FILE.svg\n"
        "       curvata-render --db DIR --project FILE.cvp [settings as above]\n"
        "                      [--output FILE.png|FILE.pdf|FILE.svg] [--table-out FILE|-]\n"
        "Draws the characteristic NAME of the fuses, in the order given, as the\n"
        "chart view does. DIR is the fuse database directory (or a directory\n"
        "holding fuseDbDir).\n"
        "With --project, the fuses, characteristic, constant lines and table of\n"
        "points come from the project file, opened as curvata opens it; the chart\n"
        "shows the points \"To Graph\" would draw, and --table-out writes the table\n"
        "as \"To File\" does (\"-\" for standard output). --scientific also sets the\n"
        "table's number format. What curvata would tell in a message box goes to\n"
        "standard error; a project that cannot be opened ends with exit code 2.\n");
}

bool RenderOptions::parse(const QStringList& arguments, QString* error)
{
    auto fail = [&](const QString& message) {
        *error = message;
        return false;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString option = arguments[i];
        if (option == "--help" || option == "-h")
            return fail(QString());
        if (i + 1 >= arguments.size())
            return fail(QStringLiteral("Option %1 needs a value.").arg(option));
        const QString value = arguments[++i];
        bool* flag = option == "--legend"         ? &legend
                     : option == "--grid"         ? &grid
                     : option == "--boundary"     ? &boundary
                     : option == "--scientific"   ? &scientific
                     : option == "--table-points" ? &tablePoints
                                                  : nullptr;
        if (flag) {
            if (!parseSwitch(value, flag))
                return fail(
                    QStringLiteral("Option %1 takes on or off, not \"%2\".").arg(option, value));
        } else if (option == "--db") {
            databaseDirectory = value;
        } else if (option == "--type") {
            typeName = value;
        } else if (option == "--fuse") {
            fuseNames << value;
        } else if (option == "--output" || option == "-o") {
            output = value;
        } else if (option == "--project") {
            projectFile = value;
        } else if (option == "--table-out") {
            tableOut = value;
        } else if (option == "--size") {
            const QStringList parts = value.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
            const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
            if (!okW || !okH || w < 50 || h < 50 || w > 32767 || h > 32767)
                return fail(
                    QStringLiteral("The size must be WIDTHxHEIGHT, each 50 to 32767 pixels."));
            size = QSize(w, h);
        } else if (option == "--x-line" || option == "--y-line") {
            QPair<QString, float> line;
            if (!parseNamedValue(value, &line))
                return fail(
                    QStringLiteral("A constant line is NAME=VALUE, not \"%1\".").arg(value));
            (option == "--x-line" ? xLines : yLines).append(line);
        } else if (option == "--point") {
            const QStringList parts = value.split(QLatin1Char(','));
            bool okX = false, okY = false;
            const float x = parts.size() == 2 ? parts[0].toFloat(&okX) : 0;
            const float y = parts.size() == 2 ? parts[1].toFloat(&okY) : 0;
            if (!okX || !okY)
                return fail(QStringLiteral("A point is X,Y, not \"%1\".").arg(value));
            points.append(TablePoint{x, y});
        } else {
            return fail(QStringLiteral("Unknown option %1.").arg(option));
        }
    }
    if (databaseDirectory.isEmpty())
        return fail(QStringLiteral("No database directory (--db)."));
    if (!projectFile.isEmpty()) {
        if (!typeName.isEmpty() || !fuseNames.isEmpty() || !xLines.isEmpty() || !yLines.isEmpty() ||
            !points.isEmpty())
            return fail(QStringLiteral("A project brings its own fuses, characteristic, constant "
                                       "lines and points: leave out --type, --fuse, --x-line, "
                                       "--y-line and --point."));
        if (output.isEmpty() && tableOut.isEmpty())
            return fail(QStringLiteral("Nothing to write: give --output, --table-out or both."));
        return true;
    }
    if (!tableOut.isEmpty())
        return fail(QStringLiteral("--table-out writes the table of points of a project: it needs "
                                   "--project."));
    if (typeName.isEmpty())
        return fail(QStringLiteral("No characteristic type (--type)."));
    if (fuseNames.isEmpty())
        return fail(QStringLiteral("No fuse (--fuse)."));
    if (output.isEmpty())
        return fail(QStringLiteral("No output file (--output)."));
    return true;
}
