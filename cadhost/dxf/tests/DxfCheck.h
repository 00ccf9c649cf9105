#pragma once

#include <QJsonObject>
#include <QStringList>

// Reads DXF files with ezdxf (dxf_read.py) as another CAD program would; one JSON
// object per file, by file path. A failure of the script fails the test.
namespace DxfCheck {
QHash<QString, QJsonObject> read(const QStringList& files);
QJsonObject read(const QString& file);
// The model space entity or attribute list item with this handle, else empty.
QJsonObject byHandle(const QJsonObject& file, const QString& handle);
} // namespace DxfCheck
