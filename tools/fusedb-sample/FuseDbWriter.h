#pragma once

#include "FuseCurveModel.h"

#include <QString>

#include <string>
#include <vector>

// One record of tip_kar: a characteristic type with its two axes. Points of
// a characteristic are stored as positions relative to these axes.
struct CharacteristicTypeDef
{
    QString name;
    QString unitX;
    bool logX;
    double startX;
    double endX;
    QString unitY;
    bool logY;
    double startY;
    double endY;

    // Position of a value along an axis: 0 at the start, 1 at the end.
    double positionX(double value) const;
    double positionY(double value) const;
};

// Collects the records of the five tables of a fuse database in memory and
// writes the table list file "fuse" with the .des and .rec file of each
// table. Fields end with '@'; records of karakt and tocka are put on lines of
// their own (a leading line feed does not disturb a numeric first field).
class FuseDbWriter
{
public:
    // The characteristic types both generators use, in this order:
    // time-current, cut-off current, pre-arcing I2t, power dissipation,
    // operating I2t.
    static std::vector<CharacteristicTypeDef> standardTypes();

    int addType(const CharacteristicTypeDef& type);
    void addGroup(const QString& name, int level, const QString& parent);
    void addFuse(const QString& name, const QString& catalogueNumber, const QString& group);
    // Stores the points (values in the type's axis units) and returns the
    // new characteristic's id.
    int addCharacteristic(const QString& fuse, int typeIndex,
                          const std::vector<CurveSample>& values);
    // The same with an id of the caller's choice (duplicate ids included).
    void addCharacteristicWithId(int id, const QString& fuse, int typeIndex,
                                 const std::vector<CurveSample>& values);

    const CharacteristicTypeDef& type(int index) const { return types_[size_t(index)]; }
    long long pointCount() const { return points_; }
    int characteristicCount() const { return characteristics_; }

    // Creates fuseDir when needed; false with *error set on failure.
    bool write(const QString& fuseDir, QString* error) const;

private:
    void field(std::string& table, const QString& text);
    void number(std::string& table, double value);

    std::vector<CharacteristicTypeDef> types_;
    std::string tipKar_, varGrup_, vars_, karakt_, tocka_;
    int nextId_ = 1;
    int characteristics_ = 0;
    long long points_ = 0;
    QString invalidField_;
};
