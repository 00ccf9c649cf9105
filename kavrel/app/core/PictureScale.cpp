#include "PictureScale.h"

double PictureScale::forLevel(int level, QSize picture, QSize view)
{
    if (picture.width() <= 0 || picture.height() <= 0 || view.width() <= 0 || view.height() <= 0)
        return 1.0;
    const double pw = picture.width();
    const double ph = picture.height();
    const double vw = view.width();
    const double vh = view.height();
    const double r = (pw / ph) / (vw / vh);
    const bool byHeight = level == 0 ? r > 1.0 : !(r > 1.0);
    return byHeight ? vh / ph : vw / pw;
}
