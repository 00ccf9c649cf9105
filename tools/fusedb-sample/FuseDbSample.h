#pragma once

#include "FuseLink.h"

#include <QString>

#include <vector>

// The fuse links of the curated sample database, in file order.
std::vector<FuseLink> sampleFuseRange();

// Writes the curated sample fuse database (the one installed beside curvata)
// into fuseDir. The output depends on nothing but this code.
bool writeSampleFuseDatabase(const QString& fuseDir, QString* error);
