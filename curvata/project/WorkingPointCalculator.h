#pragma once

#include <QString>
#include <vector>

class CharacteristicType;
class Fuse;

// Reads working points off the curves: for a fuse and a value on one axis,
// the value(s) on the other axis where the fuse's curve of the current
// characteristic type passes it. The table of points owns one.
class WorkingPointCalculator
{
public:
    // What a cell shows when nothing can be computed.
    static const QString NotDefined;

    void setFuses(const std::vector<const Fuse*>& fuses) { m_fuses = fuses; }
    const std::vector<const Fuse*>& fuses() const { return m_fuses; }
    void setCharacteristicType(const CharacteristicType* type) { m_type = type; }
    const CharacteristicType* characteristicType() const { return m_type; }
    // Chooses the format of the values computed afterwards.
    void setScientific(bool on) { m_scientific = on; }
    bool scientific() const { return m_scientific; }

    // The y value(s) where the curve of the first fuse named `fuseName`
    // passes the x value in `xText`, in curve order joined with ";", or
    // NotDefined.
    QString yText(const QString& fuseName, const QString& xText) const;
    // The same with the roles of x and y exchanged.
    QString xText(const QString& fuseName, const QString& yText) const;

private:
    QString compute(const QString& fuseName, const QString& text, bool fromX) const;

    std::vector<const Fuse*> m_fuses;
    const CharacteristicType* m_type = nullptr;
    bool m_scientific = false;
};
