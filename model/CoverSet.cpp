#include "CoverSet.h"

#include "FaceChange.h"

CoverSet::CoverSet(QObject* parent) : QObject(parent) {}

const Face& CoverSet::face(int index) const
{
    static const Face none;
    return isFaceIndex(index) ? m_faces[index] : none;
}

void CoverSet::setFile(int face, const QString& path)
{
    if (!isFaceIndex(face) || m_faces[face].m_file == path)
        return;
    m_faces[face].m_file = path;
    Q_EMIT faceChanged(face);
}

void CoverSet::setPicture(int face, const platform::Picture& picture, const QString& source)
{
    if (!isFaceIndex(face))
        return;
    Face& f = m_faces[face];
    if (f.m_picture.sameAs(picture) && f.m_source == source)
        return;
    f.m_picture = picture;
    f.m_source = picture.isNull() ? QString() : source;
    Q_EMIT faceChanged(face);
}

void CoverSet::clearPicture(int face)
{
    setPicture(face, platform::Picture());
}

void CoverSet::setSource(int face, const QString& path)
{
    if (!isFaceIndex(face) || m_faces[face].m_source == path)
        return;
    m_faces[face].m_source = path;
    Q_EMIT faceChanged(face);
}

void CoverSet::setFileCover(const QString& path)
{
    if (m_fileCover == path)
        return;
    m_fileCover = path;
    Q_EMIT fileCoverChanged(path);
}

void CoverSet::setNeedSave(bool changed)
{
    if (m_needSave == changed)
        return;
    m_needSave = changed;
    Q_EMIT needSaveChanged(changed);
}

void CoverSet::setPosition(qint16 face)
{
    m_position = face;
}

void CoverSet::setPrintFace(int face, bool on)
{
    if (isFaceIndex(face))
        m_print[face] = on;
}

void CoverSet::recordFaceChange(int face, const Face& before)
{
    if (!isFaceIndex(face) || m_faces[face].sameAs(before))
        return;
    m_undo.push(new FaceChange(this, face, before, m_faces[face]));
}

void CoverSet::restoreFace(int face, const Face& state)
{
    if (!isFaceIndex(face) || m_faces[face].sameAs(state))
        return;
    m_faces[face] = state;
    Q_EMIT faceChanged(face);
}
