#pragma once

#include <QString>
#include <optional>

// The state of the Caps Lock, Num Lock and Scroll Lock keys, for the
// indicators of a status bar. Qt does not report it; on Linux the keyboards'
// indicator lights are files under /sys/class/leds ("input3::capslock" with
// its "brightness"), readable by every user whatever the display server.
// A key whose light no keyboard has (no keyboard at all, a remote session)
// is unknown.
class LockKeyState
{
public:
    std::optional<bool> caps;
    std::optional<bool> num;
    std::optional<bool> scroll;

    // Reads the lights below `ledDirectory`; a key counts as on when the
    // light of any keyboard is lit.
    static LockKeyState Read(const QString& ledDirectory = QStringLiteral("/sys/class/leds"));
};
