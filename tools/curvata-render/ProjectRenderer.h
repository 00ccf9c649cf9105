#pragma once

#include "RenderOptions.h"

#include <QStringList>

class QIODevice;

// curvata-render --project: opens a project file as curvata's Open does,
// draws its chart with the points its table of points would put there with
// "To Graph", and writes the table as "To File" does.
class ProjectRenderer
{
public:
    // The whole run. What curvata would show in message boxes is appended to
    // *messages in order. Returns false with the reason in *error when the
    // project cannot be opened or shown, or an output cannot be written.
    // A table going to "-" is written to `standardOutput`.
    static bool run(const RenderOptions& options, QStringList* messages, QString* error,
                    QIODevice* standardOutput);
    // run() with the messages on standard error; the exit code (2: failed).
    static int main(const RenderOptions& options);
};
