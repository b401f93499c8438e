#pragma once

#include "CoverPrinting.h"
#include "CoverSet.h"
#include "Faces.h"
#include "frmMenu.h"

#include <QDialog>
#include <QMdiArea>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class frmMenu;

// One cover set as the program's windows work on it: the set itself (a CoverSet of the
// model, which holds the four faces' pictures and files, the set's file, its changed state,
// current face and print flags), its document window and its print dialog.
//
// Ownership: cover sets are held by std::shared_ptr — by the main window while active and
// by their document window's Cover. The set refers to its window through a QPointer, which
// Qt clears when the window closes. So a window can never outlive its cover set (it holds
// it), and a cover set never points at a window that is gone. The set knows nothing of the
// main window: it is told the document area its window goes into, and whoever shows it
// learns of its changes from the model's signals and the window's.
class clsCover : public std::enable_shared_from_this<clsCover>
{
public:
    // `area` receives the set's document window; without one the window stands alone.
    static std::shared_ptr<clsCover> create(QMdiArea* area = nullptr);

    CoverSet& set() { return m_set; }
    const CoverSet& set() const { return m_set; }

    frmMenu* frmCover() const { return m_frmCover.data(); }
    void setFrmCover(frmMenu* window) { m_frmCover = window; }
    QDialog* frmPrint() const { return m_frmPrint.data(); }
    void setFrmPrint(QDialog* dialog) { m_frmPrint = dialog; }

    QString FilePictureFront() const { return filePicture(0); }
    void setFilePictureFront(const QString& path) { setFilePicture(0, path); }
    QString FilePictureInside() const { return filePicture(1); }
    void setFilePictureInside(const QString& path) { setFilePicture(1, path); }
    QString FilePictureBack() const { return filePicture(2); }
    void setFilePictureBack(const QString& path) { setFilePicture(2, path); }
    QString FilePictureCd() const { return filePicture(3); }
    void setFilePictureCd(const QString& path) { setFilePicture(3, path); }
    // The same, by face index.
    QString filePicture(int face) const { return m_set.face(face).file(); }
    void setFilePicture(int face, const QString& path) { m_set.setFile(face, path); }

    QString FileCover() const { return m_set.fileCover(); }
    void setFileCover(const QString& path) { m_set.setFileCover(path); }

    bool PrintFront() const { return printFace(0); }
    void setPrintFront(bool on) { setPrintFace(0, on); }
    bool PrintInside() const { return printFace(1); }
    void setPrintInside(bool on) { setPrintFace(1, on); }
    bool PrintBack() const { return printFace(2); }
    void setPrintBack(bool on) { setPrintFace(2, on); }
    bool PrintCD() const { return printFace(3); }
    void setPrintCD(bool on) { setPrintFace(3, on); }
    bool printFace(int face) const { return m_set.printFace(face); }
    void setPrintFace(int face, bool on) { m_set.setPrintFace(face, on); }

    bool NeedSave() const { return m_set.needSave(); }
    void setNeedSave(bool changed) { m_set.setNeedSave(changed); }

    qint16 Position() const { return m_set.position(); }
    void setPosition(qint16 face) { m_set.setPosition(face); }

    // Document operations.
    void NewCover();
    void LoadFrmCover();
    void LoadCover();
    // 1 = Save, 2 = Save As. NeedSave tells afterwards whether everything was saved.
    void SaveCover(qint16 PAI_Select);
    void InsertPicture();
    void DeletePicture();
    // A picture file becomes the face's picture and file, as when it is dropped there. A
    // file that cannot be loaded gets the face's message and changes nothing.
    bool takePictureFile(int face, const QString& path);
    void EditarObjeto();
    // The print selection writes its choice into the set `activeSet` names when it opens and
    // again when it closes (the program's active one; this one unless told), and nothing
    // prints when that set has gone meanwhile.
    // `printTo`, when given, stands for the print dialog and its printer.
    using ActiveSet = std::function<CoverSet*()>;
    void PrintCover(const ActiveSet& activeSet = {}, const PrintTargetFactory& printTo = {});
    // The same print run, shown before it reaches the paper.
    void PreviewCover(const ActiveSet& activeSet = {});

private:
    explicit clsCover(QMdiArea* area) : m_area(area) {}
    void showStatus(const QString& text) const;
    ActiveSet activeSetOr(const ActiveSet& given);

    QPointer<QMdiArea> m_area;
    CoverSet m_set;
    QPointer<frmMenu> m_frmCover;
    QPointer<QDialog> m_frmPrint;
};
