#pragma once

#include <QString>

class BomSheet;

// Writes a BomSheet as an .xlsx workbook of one sheet. The workbook is
// built in a private temporary folder and then put in place in one step,
// so that a failure at any point leaves no half-written file at `path` and
// an older file there unchanged.
class BomWorkbookFile
{
public:
    // False with the reason in *error when the file could not be written.
    static bool save(const BomSheet& sheet, const QString& path, QString* error = nullptr);
};
