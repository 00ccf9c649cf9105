#include "SegmentColours.h"

QColor SegmentColours::a(int segment)
{
    switch (segment) {
    case 1:
        return QColor(160, 176, 211);
    case 2:
        return QColor(250, 239, 170);
    default:
        return QColor(250, 135, 61);
    }
}

QColor SegmentColours::b(int segment)
{
    switch (segment) {
    case 1:
        return QColor(188, 200, 224);
    case 2:
        return QColor(251, 241, 187);
    default:
        return QColor(253, 198, 162);
    }
}
