#pragma once

#include <QString>

// Figures of the product page and the search on the large catalogue in
// `dir` (tables in dir/db, configuration dir/WIN.INI, pictures written into
// dir/data/BMP when missing).
namespace PageBench {
// Focus change of products with page and picture, through the main window.
void focusChange(const QString& dir);
// Search by code over the whole text table.
void search(const QString& dir);
} // namespace PageBench
