#pragma once

#include <QSize>

// How large a product picture is drawn when it is loaded for a tree node.
// A top-level group shows its picture as a banner that fills the view (and
// may be scrolled); groups below it and products show the whole picture.
class PictureScale
{
public:
    // The scale for a picture of `picture` pixels in a view of `view`
    // pixels at tree level `level` (0 to 3). With r = picture aspect ÷ view
    // aspect: level 0 scales to the view height when r > 1, else to its
    // width; other levels scale to the width when r > 1, else to the height.
    // An empty picture or view gives 1.0 rather than a division by zero.
    static double forLevel(int level, QSize picture, QSize view);
};
