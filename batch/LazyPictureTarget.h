#pragma once

#include "Faces.h"
#include "Picture.h"
#include "ForwardingTarget.h"

#include <QString>

#include <array>

// The layout is given a stand-in for each face picture; this reads the real picture from
// its file only when it is drawn, and lets it go right after. A set of four camera photos
// then costs one photo at a time, not four. A file that no longer loads is noted.
class LazyPictureTarget : public ForwardingTarget
{
public:
    using Pictures = std::array<platform::Picture, kFaceCount>;
    using Files = std::array<QString, kFaceCount>;

    // Stand-ins that stand for nothing (empty or unknown pictures) are passed on as they are.
    LazyPictureTarget(PrintTarget& target, const Pictures& standIns, const Files& files);

    // A tiny picture of its own for each face that has a file, an empty one for the rest.
    static Pictures makeStandIns(const Files& files);

    // The face whose file could not be read when it was drawn; -1 for none.
    int failedFace() const { return m_failedFace; }

    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;

protected:
    const QString& file(int face) const { return m_files[face]; }
    // Draws a face's picture, just read from its file.
    virtual bool drawLoaded(int /*face*/, const platform::Picture& real, const QRectF& rect)
    {
        return m_target.drawPicture(real, rect);
    }

private:
    Pictures m_standIns;
    Files m_files;
    int m_failedFace = -1;
};
