#pragma once

#include <QRect>
#include <QSize>

namespace platform {

// Window layouts are given in twips (1/1440 inch): 15 twips to a logical pixel at 96 dpi.
// Qt scales logical pixels for high-density screens.
constexpr int twips(int t)
{
    return (t + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
constexpr QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}

} // namespace platform
