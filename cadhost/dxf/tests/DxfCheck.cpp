#include "DxfCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

namespace DxfCheck {

QHash<QString, QJsonObject> read(const QStringList& files)
{
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3), QStringList{QStringLiteral(DXF_READ_SCRIPT)} + files);
    QHash<QString, QJsonObject> out;
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        ADD_FAILURE() << "ezdxf check failed: " << p.readAllStandardError().toStdString();
        return out;
    }
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty()) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            out.insert(o.value(QStringLiteral("file")).toString(), o);
        }
    return out;
}

QJsonObject read(const QString& file)
{
    return read(QStringList{file}).value(file);
}

QJsonObject byHandle(const QJsonObject& file, const QString& handle)
{
    for (const QJsonValue& v : file.value(QStringLiteral("modelspace")).toArray()) {
        const QJsonObject e = v.toObject();
        if (e.value(QStringLiteral("handle")).toString() == handle)
            return e;
        for (const QJsonValue& a : e.value(QStringLiteral("attribs")).toArray())
            if (a.toObject().value(QStringLiteral("handle")).toString() == handle)
                return a.toObject();
    }
    return {};
}

} // namespace DxfCheck
