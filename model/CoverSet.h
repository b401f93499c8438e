#pragma once

#include "Face.h"
#include "FaceChange.h"
#include "Faces.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <array>
#include <functional>
#include <utility>

// What a cover set is, without any window: its four faces, the file it was read from or
// written to, whether it has unsaved changes, the current face and which faces to print.
// Windows show it and turn gestures into calls on it; it says what changed.
class CoverSet : public QObject
{
    Q_OBJECT

public:
    explicit CoverSet(QObject* parent = nullptr);

    const Face& face(int index) const;

    // The picture file the set names for a face; the shown picture stays as it is.
    void setFile(int face, const QString& path);
    // The face shows `picture`; `source` is the file it came from ("" for none).
    void setPicture(int face, const platform::Picture& picture, const QString& source = {});
    void clearPicture(int face);
    // The shown picture has just been written to this file, which is now its own.
    void setSource(int face, const QString& path);
    // The face's shown picture has just been written to `path`: the file is now the face's,
    // and also in every step of the history that shows that same picture, so that undoing
    // and redoing past the save never asks to write it a second time.
    void pictureWritten(int face, const QString& path);
    // The set's file moved: every picture path it holds, on its faces and in its history, is
    // replaced by what `newPath` makes of it.
    void movePicturePaths(const std::function<QString(const QString&)>& newPath);

    const QString& fileCover() const { return m_fileCover; }
    void setFileCover(const QString& path);

    // Names the set after a cover-set file and takes the picture paths it holds; the
    // pictures themselves are left to whoever shows them.
    void readFile(const QString& path);
    // Writes the picture paths to `target` and names the set after it. Written into another
    // folder, the set names its pictures from there (on its faces and in its history); in
    // its own folder it keeps them as written. False, and the set as it was, when the file
    // could not be written.
    bool writeFile(const QString& target);

    bool needSave() const { return m_needSave; }
    void setNeedSave(bool changed);

    // The current face: the one the window shows and the commands act on.
    qint16 position() const { return m_position; }
    void setPosition(qint16 face);

    // Every change of a face the user makes is one step here, to be undone and redone; a set
    // read from its file starts afresh. Undoing or redoing is a change of the set like any
    // other, so it counts for saving.
    QUndoStack& undoStack() { return m_undo; }
    // Every change a user makes to a face: the face becomes `after` through one step of the
    // undo stack, and the set counts as changed unless `marksChanged` is false. Nothing when
    // the face is already so.
    void changeFace(int face, const Face& after, bool marksChanged = true, int mergeKey = -1);
    // Several faces changed by one gesture, as one step: undone and redone together. The first
    // face changed is the one a window shows when the step is undone or redone. Faces out of
    // range, named twice (the first is taken) or already so are left out; nothing when none
    // is left.
    void changeFaces(const QList<std::pair<int, Face>>& changes);

    // The text blocks of a face, each change one step through changeFace. A block is kept
    // within its ranges (TextBlock::normalized). Typing (`typing` true) into one block adds
    // to the step before it as long as the same block is typed into.
    // Adds a block at the end; its index, or -1 when the face holds all it may.
    int addText(int face, const TextBlock& block);
    void changeText(int face, int index, const TextBlock& block, bool typing = false);
    void removeText(int face, int index);
    // Every block of the face at once (the Back's two spines are one step).
    void changeTexts(int face, const TextBlocks& blocks);

    // The CD face's outline, one step like any change of the face.
    void setDiscShape(const DiscShape& shape);

    // The text block the user works on, on the current face (-1: none). The face and the
    // Text panel both show it; a change of face or of the face's blocks keeps it only while
    // it still exists.
    int selectedText() const { return m_selectedText; }
    void setSelectedText(int index);

    // The history keeps at most this many steps, and the pictures only it still holds take
    // at most this many bytes; the oldest steps go first.
    static constexpr int kUndoSteps = 100;
    static constexpr qint64 kUndoPictureBytes = 256LL * 1024 * 1024;
    // Bytes of the pictures that the history holds and no face shows (tests).
    qint64 historyPictureBytes() const;

    bool printFace(int face) const { return isFaceIndex(face) && m_print[face]; }
    void setPrintFace(int face, bool on);

Q_SIGNALS:
    // The face's picture, file or source changed.
    void faceChanged(int face);
    void positionChanged(int face);
    void selectedTextChanged(int index);
    void needSaveChanged(bool changed);
    void fileCoverChanged(const QString& path);
    // The set was read from or written to an existing file.
    void fileUsed(const QString& path);

private:
    friend class FaceChange;
    // Puts a face back as it was at some step, picture, file and source together.
    void restoreFace(int face, const Face& state);
    // Every face state the history holds, to be changed in place.
    template <typename Visit> void forEachHistoryState(Visit visit);
    // The faces one step changes.
    using HistoryStep = QList<FaceChange::Part>;
    QList<HistoryStep> historySteps() const;
    // Bytes of the pictures the steps hold that no face shows.
    qint64 pictureBytes(const QList<HistoryStep>& steps) const;
    // Drops the oldest steps while the history holds more picture bytes than it may.
    void boundHistory();

    std::array<Face, kFaceCount> m_faces;
    QString m_fileCover;
    std::array<bool, kFaceCount> m_print{};
    bool m_needSave = false;
    qint16 m_position = 0;
    int m_selectedText = -1;
    QUndoStack m_undo;
};
