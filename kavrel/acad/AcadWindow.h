#pragma once

#include <QtGlobal>

// The drawing program's windows as the workbench sees them: native handles
// it got from the program, to bring to the front before a pick.
class AcadWindow
{
public:
    // Raises and activates the native window `handle`; nothing happens for 0
    // or on platforms where one program may not raise another's window.
    static void bringToFront(qint64 handle);
};
