#pragma once

#include "ConfigAccess.h"
#include "ProductDrawings.h"
#include "WorkbenchModel.h"

#include <QString>
#include <functional>
#include <optional>

// What the workbench windows take from the catalogue window: the values it
// read at start, its configuration access, the product under focus, its
// find-by-code routine, and where it keeps the workbench-shown flag.
struct WorkbenchHost
{
    QString language;
    QString databaseDir;
    QString programDir;  // of the running program, ending with a separator
    QString programFile; // the program's file name, for the CAD menu
    ConfigAccess config;
    // The product under focus; nothing while the focus is not on a product.
    std::function<std::optional<CatalogueProduct>()> focusedProduct;
    // Finds the product with that code in the catalogue (focuses it).
    std::function<void(const QString& code)> findProduct;
    std::function<void(bool shown)> shownChanged;
    // The block drawings of the product with that code (for the insertion).
    std::function<ProductDrawings(const QString& code)> drawingsOf;
};
