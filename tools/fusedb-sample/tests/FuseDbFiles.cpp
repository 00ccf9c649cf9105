#include "FuseDbFiles.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <unordered_map>

namespace {

double axisValue(double t, bool log, double start, double end)
{
    if (log)
        return std::pow(10.0, std::log10(start) + (std::log10(end) - std::log10(start)) * t);
    return start + (end - start) * t;
}

// Strict number: leading white space allowed, nothing after the number
// except a line break.
bool strictNumber(const QString& text, double* value)
{
    QString s = text.trimmed();
    if (s.isEmpty() || text.endsWith(QLatin1Char(' ')))
        return false;
    bool ok = false;
    *value = s.toDouble(&ok);
    return ok;
}

QByteArray content(const QString& dir, const QString& name, QString* error)
{
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error->isEmpty())
            *error = QStringLiteral("cannot read ") + name;
        return {};
    }
    return file.readAll();
}

} // namespace

double FuseDbFiles::Type::valueX(double t) const
{
    return axisValue(t, logX, startX, endX);
}

double FuseDbFiles::Type::valueY(double t) const
{
    return axisValue(t, logY, startY, endY);
}

std::vector<QStringList> FuseDbFiles::records(const QByteArray& bytes, int columns)
{
    QStringList fields = QString::fromUtf8(bytes).split(QLatin1Char('@'));
    fields.removeLast(); // text after the last terminator does not count
    std::vector<QStringList> out;
    for (qsizetype i = 0; i + columns <= fields.size(); i += columns)
        out.push_back(fields.mid(i, columns));
    return out;
}

FuseDbFiles FuseDbFiles::read(const QString& dir)
{
    FuseDbFiles db;
    db.tableList = QString::fromUtf8(content(dir, QStringLiteral("fuse"), &db.error))
                       .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QStringList& r : records(content(dir, QStringLiteral("tip_kar.rec"), &db.error), 9))
        db.types.push_back({r[0], r[1], r[5], r[2] != QLatin1String("0"),
                            r[6] != QLatin1String("0"), r[3].toDouble(), r[4].toDouble(),
                            r[7].toDouble(), r[8].toDouble()});
    for (const QStringList& r : records(content(dir, QStringLiteral("var_grup.rec"), &db.error), 3))
        db.groups.push_back({r[0], r[1].trimmed().toInt(), r[2]});
    for (const QStringList& r : records(content(dir, QStringLiteral("vars.rec"), &db.error), 3))
        db.fuses.push_back({r[0], r[1], r[2]});

    std::unordered_map<int, size_t> byId;
    for (const QStringList& r : records(content(dir, QStringLiteral("karakt.rec"), &db.error), 3)) {
        double id = 0;
        if (!strictNumber(r[0], &id)) {
            db.error = QStringLiteral("bad characteristic id ") + r[0];
            continue;
        }
        if (byId.count(int(id)))
            db.error = QStringLiteral("duplicate characteristic id ") + r[0];
        byId[int(id)] = db.characteristics.size();
        db.characteristics.push_back({int(id), r[1], r[2], {}});
    }
    for (const QStringList& r : records(content(dir, QStringLiteral("tocka.rec"), &db.error), 4)) {
        double v[4];
        bool ok = true;
        for (int k = 0; k < 4; ++k)
            ok = ok && strictNumber(r[k], &v[k]);
        const auto it = byId.find(int(v[0]));
        if (!ok || it == byId.end()) {
            db.error = QStringLiteral("bad point ") + r.join(QLatin1Char('@'));
            continue;
        }
        Characteristic& c = db.characteristics[it->second];
        const Type* t = db.type(c.type);
        if (!t) {
            db.error = QStringLiteral("unknown type ") + c.type;
            continue;
        }
        if (int(v[1]) != int(c.points.size()) + 1)
            db.error = QStringLiteral("sequence numbers out of order in ") + c.fuse;
        c.points.push_back({t->valueX(v[2]), t->valueY(v[3])});
        ++db.pointCount;
    }
    return db;
}

const FuseDbFiles::Type* FuseDbFiles::type(const QString& name) const
{
    for (const Type& t : types) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

const FuseDbFiles::Group* FuseDbFiles::group(const QString& name) const
{
    for (const Group& g : groups) {
        if (g.name == name)
            return &g;
    }
    return nullptr;
}

const FuseDbFiles::Fuse* FuseDbFiles::fuse(const QString& name) const
{
    for (const Fuse& f : fuses) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

const FuseDbFiles::Characteristic* FuseDbFiles::characteristic(const QString& fuse,
                                                               const QString& type) const
{
    for (const Characteristic& c : characteristics) {
        if (c.fuse == fuse && c.type == type)
            return &c;
    }
    return nullptr;
}
