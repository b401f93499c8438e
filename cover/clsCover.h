#pragma once

#include "Faces.h"
#include "frmMenu.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class frmMenu;

// One cover set: the picture file of each face, its own file, the current face, whether it
// has unsaved changes and which faces to print. The pictures themselves live in the faces'
// image areas of its document window.
//
// Ownership: cover sets are held by std::shared_ptr — by ActiveCover and by their document
// window's Cover. The set refers to its window through a QPointer, which Qt clears when the
// window closes. So a window can never outlive its cover set (it holds it), and a cover set
// never points at a window that is gone; the set itself lives on while ActiveCover or its
// window still refers to it.
class clsCover : public std::enable_shared_from_this<clsCover>
{
public:
    static std::shared_ptr<clsCover> create();

    frmMenu* frmCover() const { return m_frmCover.data(); }
    void setFrmCover(frmMenu* window) { m_frmCover = window; }
    QDialog* frmPrint() const { return m_frmPrint.data(); }
    void setFrmPrint(QDialog* dialog) { m_frmPrint = dialog; }

    QString FilePictureFront() const { return m_filePicture[0]; }
    void setFilePictureFront(const QString& path) { m_filePicture[0] = path; }
    QString FilePictureInside() const { return m_filePicture[1]; }
    void setFilePictureInside(const QString& path) { m_filePicture[1] = path; }
    QString FilePictureBack() const { return m_filePicture[2]; }
    void setFilePictureBack(const QString& path) { m_filePicture[2] = path; }
    QString FilePictureCd() const { return m_filePicture[3]; }
    void setFilePictureCd(const QString& path) { m_filePicture[3] = path; }
    // The same, by face index.
    QString filePicture(int face) const { return isFaceIndex(face) ? m_filePicture[face] : QString(); }
    void setFilePicture(int face, const QString& path)
    {
        if (isFaceIndex(face))
            m_filePicture[face] = path;
    }

    QString FileCover() const { return m_fileCover; }
    void setFileCover(const QString& path) { m_fileCover = path; }

    bool PrintFront() const { return m_print[0]; }
    void setPrintFront(bool on) { m_print[0] = on; }
    bool PrintInside() const { return m_print[1]; }
    void setPrintInside(bool on) { m_print[1] = on; }
    bool PrintBack() const { return m_print[2]; }
    void setPrintBack(bool on) { m_print[2] = on; }
    bool PrintCD() const { return m_print[3]; }
    void setPrintCD(bool on) { m_print[3] = on; }
    bool printFace(int face) const { return isFaceIndex(face) && m_print[face]; }
    void setPrintFace(int face, bool on)
    {
        if (isFaceIndex(face))
            m_print[face] = on;
    }

    bool NeedSave() const { return m_needSave; }
    void setNeedSave(bool changed) { m_needSave = changed; }

    qint16 Position() const { return m_position; }
    void setPosition(qint16 face) { m_position = face; }

    // Document operations.
    void NewCover();
    void LoadFrmCover();
    void LoadCover();
    // 1 = Save, 2 = Save As. NeedSave tells afterwards whether everything was saved.
    void SaveCover(qint16 PAI_Select);
    void InsertPicture();
    void DeletePicture();
    void EditarObjeto();
    void PrintCover();

    // Printing lives in its own subsystem, which installs itself here.
    using PrintHandler = std::function<void(clsCover&)>;
    static void setPrintHandler(PrintHandler handler);

private:
    clsCover() = default;

    QPointer<frmMenu> m_frmCover;
    QPointer<QDialog> m_frmPrint;
    std::array<QString, kFaceCount> m_filePicture;
    QString m_fileCover;
    std::array<bool, kFaceCount> m_print{};
    bool m_needSave = false;
    qint16 m_position = 0;
};
