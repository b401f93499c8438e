#pragma once

#include "DiscShape.h"
#include "Faces.h"
#include "Picture.h"
#include "TextBlock.h"

#include <QString>

// One face of a cover set: the picture it shows, the text blocks written over it, the picture file the set names for it,
// and the file the shown picture was loaded from. The two paths differ once a picture is
// pasted or dragged onto a face that has a file: the set still names the old file until
// the new picture is written somewhere.
class Face
{
public:
    const platform::Picture& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // The picture file the set names (its key in the cover-set file), as written there.
    const QString& file() const { return m_file; }
    // The file the shown picture was loaded from; empty for a pasted or dragged picture.
    const QString& source() const { return m_source; }
    // Whether saving the set keeps the shown picture without writing it anywhere.
    bool pictureIsFile() const { return !m_file.isEmpty() && m_source == m_file; }
    // The text written over the picture, drawn in this order.
    const TextBlocks& texts() const { return m_texts; }
    // The face's outline on paper; only the CD face is ever round.
    const DiscShape& shape() const { return m_shape; }
    // The face as it prints, in millimetres: its table size, or a round label's square.
    QSizeF sizeMm(int index) const
    {
        if (m_shape.round)
            return m_shape.square().size();
        return QSizeF(kFaces[size_t(index)].widthMm, kFaces[size_t(index)].heightMm);
    }

    // The face as a gesture leaves it. A picture shown over the face (pasted, dropped, a
    // face dragged here, or none) keeps the file the set names; a picture file taken whole
    // becomes the file too.
    Face showing(const platform::Picture& picture) const
    {
        Face after = *this;
        after.m_picture = picture;
        after.m_source.clear();
        return after;
    }
    Face takingFile(const QString& path, const platform::Picture& picture) const
    {
        Face after = *this;
        after.m_picture = picture;
        after.m_file = after.m_source = path;
        return after;
    }
    // The face with other text blocks; its picture stays as it is.
    Face withTexts(const TextBlocks& texts) const
    {
        Face after = *this;
        after.m_texts = texts;
        return after;
    }

    Face withShape(const DiscShape& shape) const
    {
        Face after = *this;
        after.m_shape = shape.normalized();
        return after;
    }

    bool sameAs(const Face& other) const
    {
        return m_picture.sameAs(other.m_picture) && m_file == other.m_file &&
               m_source == other.m_source && m_texts == other.m_texts &&
               m_shape == other.m_shape;
    }

private:
    friend class CoverSet;

    platform::Picture m_picture;
    QString m_file;
    QString m_source;
    TextBlocks m_texts;
    DiscShape m_shape;
};
