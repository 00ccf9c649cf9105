#include "TablesTool.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int rc = TablesTool::run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return rc;
}
