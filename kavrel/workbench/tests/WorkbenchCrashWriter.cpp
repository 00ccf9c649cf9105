// Adds products to a list one by one through the workbench model and says
// so on stdout after each, until it is killed. Used by the crash test.
#include "WorkbenchModel.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        WorkbenchModel model;
        model.open(QString::fromLocal8Bit(argv[1]), QStringLiteral("ANG"));
        for (int i = 1;; ++i) {
            model.addWithoutCad({QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0')),
                                 QStringLiteral("Product %1").arg(i), 2.0},
                                3);
            std::printf("added %d\n", i);
            std::fflush(stdout);
            if (i > 100000)
                ::pause();
        }
    } catch (const TableError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
}
