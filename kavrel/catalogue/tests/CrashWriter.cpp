// Posts item rows into a write-through table one by one and reports each
// post on stdout, until it is killed. Used by the crash test.
#include "TableView.h"
#include "StandardSchemas.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const TableSchema schema = StandardSchemas::tNar();
    ClientTable table;
    try {
        table.open(QString::fromLocal8Bit(argv[1]), ClientTable::OpenMode::ReadWrite, &schema);
        TableView view(table);
        for (int i = 1;; ++i) {
            view.append();
            view.setValue("Srt", i);
            view.setValue("Ident", QStringLiteral("P%1").arg(i));
            view.setValue("Kol", i * 1.5);
            view.post();
            std::printf("posted %d\n", i);
            std::fflush(stdout);
            if (i > 100000)
                ::pause();
        }
    } catch (const TableError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
}
