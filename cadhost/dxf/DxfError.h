#pragma once

#include <QString>

#include <stdexcept>

// A DXF file that cannot be read or written, with the text a person reads.
class DxfError : public std::runtime_error
{
public:
    explicit DxfError(const QString& text) : std::runtime_error(text.toStdString()) {}
};
