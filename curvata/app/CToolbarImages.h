#pragma once

#include <QIcon>

// The toolbar's button images, 18 x 18 pixels, drawn in code so that the
// program needs no image files and every button has a picture on every
// desktop (icon themes rarely have zoom or chart pictures).
class CToolbarImages
{
public:
    enum Image
    {
        New,
        Open,
        Save,
        ZoomIn,
        ZoomOut,
        Print,
        About,
        SelectFuses,
        SelectCharacteristic,
        DrawTable
    };
    static constexpr int Size = 18;

    static QIcon Icon(Image image);
};
