#include "FuseDbWriter.h"

#include "WinPath.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>

namespace {

double position(double value, bool log, double start, double end)
{
    if (log)
        return (std::log10(value) - std::log10(start)) / (std::log10(end) - std::log10(start));
    return (value - start) / (end - start);
}

struct TableFile
{
    const char* name;
    const char* description;
};

// The five tables, with the column names their description files document.
constexpr TableFile kTables[] = {
    {"var_grup", "ime path nivo"},
    {"vars", "ime katst parent"},
    {"tip_kar", "ime enotax islogx startx endx enotay islogy starty endy"},
    {"karakt", "id tipkar imevar"},
    {"tocka", "idkar zapst x y"},
};

// Writes the concatenation of the given pieces (null pieces are skipped).
bool writeFile(const QString& dir, const QString& name,
               std::initializer_list<const std::string*> pieces, QString* error)
{
    QFile file(WinPath::toNative(dir + QLatin1Char('\\') + name));
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const std::string* piece : pieces) {
        if (ok && piece)
            ok = file.write(piece->data(), qint64(piece->size())) == qint64(piece->size());
    }
    if (!ok || !file.flush()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

} // namespace

double CharacteristicTypeDef::positionX(double value) const
{
    return position(value, logX, startX, endX);
}

double CharacteristicTypeDef::positionY(double value) const
{
    return position(value, logY, startY, endY);
}

std::vector<CharacteristicTypeDef> FuseDbWriter::standardTypes()
{
    return {
        {QStringLiteral("Time-Current"), QStringLiteral("A"), true, 1, 1e6, QStringLiteral("s"),
         true, 0.001, 1e5},
        {QStringLiteral("Cut-Off Current"), QStringLiteral("kA"), true, 0.01, 1000,
         QStringLiteral("kA"), true, 0.01, 1000},
        {QStringLiteral("Pre-Arcing I2t"), QStringLiteral("A"), true, 1, 1e6, QStringLiteral("A2s"),
         true, 0.01, 1e9},
        {QStringLiteral("Power Dissipation"), QStringLiteral("A"), false, 0, 1000,
         QStringLiteral("W"), false, 0, 100},
        {QStringLiteral("Operating I2t"), QStringLiteral("A"), true, 1, 1e6, QStringLiteral("A2s"),
         true, 0.01, 1e9},
    };
}

void FuseDbWriter::field(std::string& table, const QString& text)
{
    // The format has no escape for the terminator; refuse rather than
    // silently shift every following field.
    if (text.contains(QLatin1Char('@')) && invalidField_.isEmpty())
        invalidField_ = text;
    table += text.toStdString();
    table += '@';
}

void FuseDbWriter::number(std::string& table, double value)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    table.append(buffer, result.ptr);
    table += '@';
}

int FuseDbWriter::addType(const CharacteristicTypeDef& type)
{
    types_.push_back(type);
    const auto limit = [this](double v) { field(tipKar_, QString::number(v, 'g', 12)); };
    field(tipKar_, type.name);
    field(tipKar_, type.unitX);
    field(tipKar_, type.logX ? QStringLiteral("1") : QStringLiteral("0"));
    limit(type.startX);
    limit(type.endX);
    field(tipKar_, type.unitY);
    field(tipKar_, type.logY ? QStringLiteral("1") : QStringLiteral("0"));
    limit(type.startY);
    limit(type.endY);
    return int(types_.size()) - 1;
}

void FuseDbWriter::addGroup(const QString& name, int level, const QString& parent)
{
    field(varGrup_, name);
    field(varGrup_, QString::number(level));
    field(varGrup_, parent);
}

void FuseDbWriter::addFuse(const QString& name, const QString& catalogueNumber,
                           const QString& group)
{
    field(vars_, name);
    field(vars_, catalogueNumber);
    field(vars_, group);
}

int FuseDbWriter::addCharacteristic(const QString& fuse, int typeIndex,
                                    const std::vector<CurveSample>& values)
{
    const int id = nextId_;
    addCharacteristicWithId(id, fuse, typeIndex, values);
    return id;
}

void FuseDbWriter::addCharacteristicWithId(int id, const QString& fuse, int typeIndex,
                                           const std::vector<CurveSample>& values)
{
    const CharacteristicTypeDef& t = types_[size_t(typeIndex)];
    nextId_ = std::max(nextId_, id + 1);
    ++characteristics_;
    karakt_ += std::to_string(id);
    karakt_ += '@';
    field(karakt_, fuse);
    field(karakt_, t.name);
    karakt_ += '\n';
    const std::string idText = std::to_string(id) + '@';
    int sequence = 1;
    for (const CurveSample& p : values) {
        tocka_ += idText;
        tocka_ += std::to_string(sequence++);
        tocka_ += '@';
        number(tocka_, t.positionX(p.x));
        number(tocka_, t.positionY(p.y));
        tocka_ += '\n';
    }
    points_ += qint64(values.size());
}

bool FuseDbWriter::write(const QString& fuseDir, QString* error) const
{
    if (!invalidField_.isEmpty()) {
        if (error)
            *error = QStringLiteral("A field may not contain '@': %1").arg(invalidField_);
        return false;
    }
    if (!QDir().mkpath(WinPath::toNative(fuseDir))) {
        if (error)
            *error = QStringLiteral("Cannot create the directory %1").arg(fuseDir);
        return false;
    }
    std::string list;
    for (const TableFile& t : kTables)
        list += std::string(t.name) + '\n';
    if (!writeFile(fuseDir, QStringLiteral("fuse"), {&list}, error))
        return false;

    // Single-line tables end with a line break after the last terminator,
    // where the reader ignores it.
    const std::string lineEnd(1, '\n');
    const std::string* records[][2] = {{&varGrup_, &lineEnd},
                                       {&vars_, &lineEnd},
                                       {&tipKar_, &lineEnd},
                                       {&karakt_, nullptr},
                                       {&tocka_, nullptr}};
    for (size_t i = 0; i < std::size(kTables); ++i) {
        const QString name = QString::fromLatin1(kTables[i].name);
        const std::string des = std::string(kTables[i].name) + '\n' + kTables[i].description + '\n';
        if (!writeFile(fuseDir, name + QStringLiteral(".des"), {&des, nullptr}, error) ||
            !writeFile(fuseDir, name + QStringLiteral(".rec"), {records[i][0], records[i][1]},
                       error))
            return false;
    }
    return true;
}
