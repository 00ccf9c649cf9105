#pragma once

#include "RenderOptions.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

class CCharacteristicChart;
class CharacteristicType;
class Fuse;

// Draws a chart with the view's own drawing code into an image or a file.
class ChartRenderer
{
public:
    // Applies the options to a chart: settings, fuses, type, range, lines.
    // Returns false with the reason in *error when the chart cannot be shown.
    // What the chart leaves out of the picture (constant lines outside the
    // range) is told in *notes.
    static bool prepare(CCharacteristicChart& chart, const RenderOptions& options,
                        const CharacteristicType* type, const std::vector<const Fuse*>& fuses,
                        QString* error, QStringList* notes = nullptr);
    static QImage renderImage(CCharacteristicChart& chart, QSize size);
    // Writes PNG, PDF or SVG by the file's extension (ChartExport).
    static bool write(CCharacteristicChart& chart, QSize size, const QString& file, QString* error);
    // The whole run: database, look-ups, drawing and output. A database
    // that curvata would refuse (its table list file missing or lacking a
    // table) is refused with curvata's message.
    static bool run(const RenderOptions& options, QString* error, QStringList* notes = nullptr);
};
