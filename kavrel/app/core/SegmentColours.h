#pragma once

#include <QColor>

// The colour scheme of each market segment (selector item 0..2): colour A
// for the window, the right-hand area and the page control, colour B for the
// selector, the product page and the certificate grid. An item outside 0..2
// takes segment 0's colours.
class SegmentColours
{
public:
    static QColor a(int segment);
    static QColor b(int segment);
};
