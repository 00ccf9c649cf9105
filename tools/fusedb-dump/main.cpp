#include "FuseDatabaseDump.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() != 2 || args[1] == QLatin1String("--help")) {
        QTextStream(stderr) << "usage: fusedb-dump DIR\n"
                               "  DIR: curvata's working directory (with fuseDbDir/fuse) or the\n"
                               "  fuse database directory itself.\n";
        return 2;
    }
    const int code = FuseDatabaseDump::run(args[1], out);
    out.flush();
    return code;
}
