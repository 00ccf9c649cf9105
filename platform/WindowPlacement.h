#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

class AppSettings;

// A window's placement as the Windows desktop stores it: the 44-byte
// placement record (length, flags, show command, minimized and maximized
// positions, the normal rectangle; 32-bit little-endian fields). curvata's
// dialogs restore their placement from the settings entry "WindowPlacement"
// of a section named after the dialog; the program never writes these
// entries, so they come from an earlier installation or an administrator.
struct WindowPlacement
{
    static constexpr int RecordSize = 44;
    static constexpr const char* EntryName = "WindowPlacement";
    // The show commands that matter when restoring.
    static constexpr uint32_t ShowMinimized = 2;
    static constexpr uint32_t ShowMaximized = 3;

    uint32_t length = RecordSize;
    uint32_t flags = 0;
    uint32_t showCommand = 0;
    QPoint minPosition;
    QPoint maxPosition;
    // The window's outer rectangle when it is neither minimized nor
    // maximized; right and bottom are exclusive, as on the desktop.
    QRect normalRect;

    bool isMaximized() const { return showCommand == ShowMaximized; }

    // The record in `bytes`, or nothing when it is not exactly 44 bytes,
    // its own length field disagrees, or the normal rectangle is empty or
    // inverted: such a record cannot place a window.
    static std::optional<WindowPlacement> decode(const QByteArray& bytes);
    // The record kept in `section`, entry "WindowPlacement", or nothing.
    static std::optional<WindowPlacement> read(const AppSettings& settings, const QString& section);
};
