#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class CCharacteristicChart;

// Moving constant lines with the mouse, without the window: a press picks
// the nearest line within the pick tolerance (Y lines before X lines, the
// earlier line on a tie), moves follow the mouse within the axis range, and
// the release reports the line's final value. The mouse stays captured from
// press to release whether or not a line was picked, so that a release
// outside the view still ends the move.
//
// Points are logical (canvas) coordinates; the active chart must be laid
// out for the canvas the points refer to.
class ConstLineMover
{
public:
    static constexpr int PickTolerance = 10;

    struct Moved
    {
        bool xLine = false;
        QString name;
        float value = 0.0f;
    };

    explicit ConstLineMover(CCharacteristicChart& chart) : m_chart(chart) {}

    void Press(QPoint point);
    // Returns whether a line changed its value.
    bool Move(QPoint point);
    // Ends the capture; the line that was moving, with its final value.
    std::optional<Moved> Release(QPoint point);

    bool IsCaptured() const { return m_captured; }

private:
    // Applies the mouse position to the moving line; false when none moves.
    bool Follow(QPoint point, Moved* moved);

    CCharacteristicChart& m_chart;
    bool m_captured = false;
};
