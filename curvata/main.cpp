#include "CRuzozuvovApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CRuzozuvovApp theApp;
    if (!theApp.InitInstance())
        return 1;
    return app.exec();
}
