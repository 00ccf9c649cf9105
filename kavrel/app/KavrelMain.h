#pragma once

// The main block of kavrel: one running instance, splash, main window, data
// module, event loop. Command-line arguments (the AutoCAD menu passes
// "acad") have no effect.
//
// KAVREL_STARTUP_PROBE=1 in the environment makes the program print
// "BENCH first-paint <ms> ms" (milliseconds since the process started) on
// standard output when the catalogue tree is painted for the first time,
// and quit; the start-up benchmark and tests use it.
// KAVREL_STARTUP_READY=1 prints "KAVREL ready" at the same moment and keeps
// running, so that tests know the first instance is up.
#include "KavrelConfig.h"

#include <optional>

class KavrelMain
{
public:
    static int run();

    // Reads the start-up configuration. When the installation is incomplete
    // it shows the reinstall message and gives nothing: the program then
    // ends without opening the catalogue, whichever button was pressed.
    static std::optional<KavrelConfig::StartValues> startValues();

    // Mutex name, window title of the running instance, and the message a
    // second start sends it.
    static constexpr const char* MutexName = "Brontel";
    static constexpr const char* InstanceTitle = "KAVREL";
    static constexpr unsigned NotifyMessage = 0x8000 + 400;

    // True for a second start; it has then notified the running instance or
    // said that it cannot find it, and the program ends.
    static bool isSecondInstance(class SingleInstance& instance);
};
