#pragma once

#include <QRectF>
#include <QSizeF>

namespace platform {
class ProfileFile;
struct ProfileSectionEdit;
}

// The CD face's outline on paper: the 150 x 118 mm rectangle, or a round disc label whose
// picture fills the label's square and is clipped to the ring between its outer edge and its
// centre hole. The set keeps the choice in its [Layout] section; a set without one is a
// rectangle.
struct DiscShape
{
    static constexpr double kDefaultOuter = 117;
    static constexpr double kMinOuter = 110;
    static constexpr double kMaxOuter = 120;
    static constexpr double kDefaultHole = 41;
    static constexpr double kMinHole = 15; // or no hole at all (0)
    static constexpr double kMaxHole = 45;

    bool round = false;
    double outer = kDefaultOuter; // millimetres
    double hole = kDefaultHole;   // millimetres; 0 for none

    bool operator==(const DiscShape& other) const = default;

    static DiscShape roundLabel(double outer = kDefaultOuter, double hole = kDefaultHole);
    // The diameters within their ranges, to a hundredth of a millimetre; a hole too small to
    // be one is none.
    DiscShape normalized() const;

    // The round label's square in a face's coordinates (its top-left corner at 0,0).
    QRectF square() const { return QRectF(0, 0, outer, outer); }
    // The hole's square within the label's.
    QRectF holeIn(const QRectF& label) const;

    // The shape the set file holds (a rectangle when it says nothing), and what makes a file
    // hold `shape`: the section written for a round label, removed for a rectangle.
    static DiscShape read(const platform::ProfileFile& file);
    static platform::ProfileSectionEdit edit(const DiscShape& shape);
};
