#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

class CCharacteristicChart;

// Writes the chart as a picture file: PNG (pixels as on the screen), PDF and
// SVG (lines and texts as vectors, one unit per screen pixel). The main
// window's "Export chart..." and the curvata-render tool both write through
// here, so a chart exported from either looks the same.
class ChartExport
{
public:
    enum Format
    {
        Png,
        Pdf,
        Svg
    };

    // The format a file name asks for by its suffix (any case).
    static std::optional<Format> FormatOf(const QString& file);
    // The chart laid out for `size` on a white image of that size.
    static QImage RenderImage(CCharacteristicChart& chart, QSize size);
    // Writes the file whole or not at all (an existing file is replaced only
    // once the new one is complete). On failure returns false with a reason
    // a user can read in *error.
    static bool Write(CCharacteristicChart& chart, QSize size, const QString& file,
                      QString* error);
};
