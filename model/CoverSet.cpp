#include "CoverSet.h"

#include "CoverSetFile.h"
#include "FaceChange.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

CoverSet::CoverSet(QObject* parent) : QObject(parent)
{
    m_undo.setUndoLimit(kUndoSteps);
}

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

void CoverSet::readFile(const QString& path)
{
    setFileCover(path);
    const CoverSetPaths paths = readCoverSetFile(path);
    const CoverSetTexts texts = readCoverSetTexts(path);
    const DiscShape shape = readCoverSetShape(path);
    if (!(m_faces[kCdFace].m_shape == shape)) {
        m_faces[kCdFace].m_shape = shape;
        Q_EMIT faceChanged(kCdFace);
    }
    for (const FaceInfo& face : kFaces) {
        setFile(face.index, paths[face.index]);
        if (m_faces[face.index].m_texts != texts[face.index]) {
            m_faces[face.index].m_texts = texts[face.index];
            Q_EMIT faceChanged(face.index);
        }
    }
    if (QFileInfo(path).isFile())
        Q_EMIT fileUsed(path);
}

bool CoverSet::writeFile(const QString& target)
{
    // A new set's paths come from the dialogs, whole.
    const QString from = m_fileCover;
    const bool moved =
        !from.isEmpty() && QFileInfo(from).absoluteDir() != QFileInfo(target).absoluteDir();
    const auto newPath = [&](const QString& path) {
        return moved ? relocatePicturePath(from, target, path) : path;
    };
    CoverSetPaths paths;
    CoverSetTexts texts;
    for (const FaceInfo& face : kFaces) {
        paths[face.index] = newPath(m_faces[face.index].file());
        texts[face.index] = m_faces[face.index].texts();
    }
    if (!writeCoverSetFile(target, paths, texts, m_faces[kCdFace].shape()))
        return false;
    if (moved)
        movePicturePaths(newPath);
    setFileCover(target);
    Q_EMIT fileUsed(target);
    return true;
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
    if (m_position == face)
        return;
    m_position = face;
    setSelectedText(-1);
    Q_EMIT positionChanged(face);
}

void CoverSet::setSelectedText(int index)
{
    const int count = isFaceIndex(m_position) ? int(m_faces[m_position].texts().size()) : 0;
    if (index < 0 || index >= count)
        index = -1;
    if (m_selectedText == index)
        return;
    m_selectedText = index;
    Q_EMIT selectedTextChanged(index);
}

void CoverSet::setPrintFace(int face, bool on)
{
    if (isFaceIndex(face))
        m_print[face] = on;
}

void CoverSet::changeFace(int face, const Face& after, bool marksChanged, int mergeKey)
{
    if (!isFaceIndex(face) || m_faces[face].sameAs(after))
        return;
    m_undo.push(new FaceChange(this, face, m_faces[face], after, marksChanged, mergeKey));
    boundHistory();
}

void CoverSet::changeFaces(const QList<std::pair<int, Face>>& changes)
{
    QList<FaceChange::Part> parts;
    for (const std::pair<int, Face>& change : changes) {
        const int face = change.first;
        const auto same = [face](const FaceChange::Part& p) { return p.face == face; };
        const bool named = std::any_of(parts.cbegin(), parts.cend(), same);
        if (isFaceIndex(face) && !named && !m_faces[face].sameAs(change.second))
            parts.append({face, m_faces[face], change.second});
    }
    if (parts.isEmpty())
        return;
    m_undo.push(new FaceChange(this, parts, true));
    boundHistory();
}

int CoverSet::addText(int face, const TextBlock& block)
{
    if (!isFaceIndex(face) || m_faces[face].texts().size() >= TextBlock::kMaxPerFace)
        return -1;
    TextBlocks blocks = m_faces[face].texts();
    blocks.append(block.normalized());
    changeFace(face, m_faces[face].withTexts(blocks));
    return int(blocks.size()) - 1;
}

void CoverSet::changeText(int face, int index, const TextBlock& block, bool typing)
{
    if (!isFaceIndex(face) || index < 0 || index >= m_faces[face].texts().size())
        return;
    TextBlocks blocks = m_faces[face].texts();
    blocks[index] = block.normalized();
    changeFace(face, m_faces[face].withTexts(blocks), true, typing ? index : -1);
}

void CoverSet::removeText(int face, int index)
{
    if (!isFaceIndex(face) || index < 0 || index >= m_faces[face].texts().size())
        return;
    TextBlocks blocks = m_faces[face].texts();
    blocks.removeAt(index);
    changeFace(face, m_faces[face].withTexts(blocks));
}

void CoverSet::setDiscShape(const DiscShape& shape)
{
    changeFace(kCdFace, m_faces[kCdFace].withShape(shape));
}

void CoverSet::changeTexts(int face, const TextBlocks& blocks)
{
    if (!isFaceIndex(face))
        return;
    TextBlocks kept;
    for (const TextBlock& block : blocks) {
        if (kept.size() < TextBlock::kMaxPerFace)
            kept.append(block.normalized());
    }
    changeFace(face, m_faces[face].withTexts(kept));
}

void CoverSet::restoreFace(int face, const Face& state)
{
    if (!isFaceIndex(face) || m_faces[face].sameAs(state))
        return;
    m_faces[face] = state;
    Q_EMIT faceChanged(face);
    if (face == m_position && m_selectedText >= m_faces[face].texts().size())
        setSelectedText(int(m_faces[face].texts().size()) - 1);
}

void CoverSet::pictureWritten(int face, const QString& path)
{
    if (!isFaceIndex(face))
        return;
    const platform::Picture written = m_faces[face].m_picture;
    forEachHistoryState([&](int stateFace, Face& state) {
        if (stateFace == face && state.m_picture.sameAs(written))
            state.m_file = state.m_source = path;
    });
    setFile(face, path);
    setSource(face, path);
}

void CoverSet::movePicturePaths(const std::function<QString(const QString&)>& newPath)
{
    const auto move = [&newPath](Face& state) {
        if (!state.m_file.isEmpty())
            state.m_file = newPath(state.m_file);
        if (!state.m_source.isEmpty())
            state.m_source = newPath(state.m_source);
    };
    forEachHistoryState([&move](int, Face& state) { move(state); });
    for (const FaceInfo& info : kFaces) {
        Face moved = m_faces[info.index];
        move(moved);
        setFile(info.index, moved.m_file);
        setSource(info.index, moved.m_source);
    }
}

template <typename Visit> void CoverSet::forEachHistoryState(Visit visit)
{
    for (int i = 0; i < m_undo.count(); ++i) {
        // The stack hands out its commands read-only; they are all ours.
        auto* step = const_cast<FaceChange*>(dynamic_cast<const FaceChange*>(m_undo.command(i)));
        if (step == nullptr)
            continue;
        for (FaceChange::Part& part : step->parts()) {
            visit(part.face, part.before);
            visit(part.face, part.after);
        }
    }
}

QList<CoverSet::HistoryStep> CoverSet::historySteps() const
{
    QList<HistoryStep> steps;
    for (int i = 0; i < m_undo.count(); ++i) {
        if (const auto* step = dynamic_cast<const FaceChange*>(m_undo.command(i)))
            steps.append(step->parts());
    }
    return steps;
}

qint64 CoverSet::pictureBytes(const QList<HistoryStep>& steps) const
{
    QList<platform::Picture> counted;
    for (const Face& face : m_faces)
        counted.append(face.picture());
    qint64 bytes = 0;
    const auto count = [&](const platform::Picture& picture) {
        for (const platform::Picture& seen : std::as_const(counted)) {
            if (seen.sameAs(picture))
                return;
        }
        counted.append(picture);
        bytes += picture.heldBytes();
    };
    for (const HistoryStep& step : steps) {
        for (const FaceChange::Part& part : step) {
            count(part.before.picture());
            count(part.after.picture());
        }
    }
    return bytes;
}

qint64 CoverSet::historyPictureBytes() const
{
    return pictureBytes(historySteps());
}

void CoverSet::boundHistory()
{
    QList<HistoryStep> kept = historySteps();
    if (pictureBytes(kept) <= kUndoPictureBytes)
        return;
    while (!kept.isEmpty() && pictureBytes(kept) > kUndoPictureBytes)
        kept.removeFirst();
    // A step has just been pushed, so nothing is undone: the history is made again from its
    // newer steps, each already done (pushing one again changes nothing of the face or the
    // set). QUndoStack cannot otherwise drop its oldest steps.
    m_undo.clear();
    for (const HistoryStep& step : std::as_const(kept))
        m_undo.push(new FaceChange(this, step, false));
}
