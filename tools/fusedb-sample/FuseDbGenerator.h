#pragma once

#include <QString>

struct FuseDbGeneratorOptions
{
    int fuses;
    int characteristicsPerFuse;
    int pointsPerCharacteristic;
    unsigned seed;
};

// Writes a fuse database of the requested size into fuseDir: the table list
// file "fuse" and the .des and .rec files of var_grup, vars, tip_kar, karakt
// and tocka. Groups run three levels deep (system > category > size), fuses
// follow the product range of the sample in numbered series, and every
// characteristic is computed from the same fuse physics as the sample.
// The same options always give the same files.
bool generateFuseDatabase(const QString& fuseDir, const FuseDbGeneratorOptions& options,
                          QString* error);
