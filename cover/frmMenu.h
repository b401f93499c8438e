#pragma once

#include <QWidget>

#include <array>
#include <memory>

class CoverHost;
class ImageArea;
class QLabel;
class QMimeData;
class QTabWidget;
class clsCover;

// The document window of one cover set: a tab for each face, each with its image area.
// It lives inside a QMdiSubWindow of the main window, which owns and deletes it on close.
class frmMenu : public QWidget
{
    Q_OBJECT

public:
    // The window of `cover`, which it holds from now on.
    explicit frmMenu(std::shared_ptr<clsCover> cover, QWidget* parent = nullptr);
    ~frmMenu() override;

    const std::shared_ptr<clsCover>& Cover() const { return m_cover; }
    QTabWidget* SSTab1() const { return m_tabs; }
    ImageArea* imageArea(int face) const;
    QLabel* pctLink() const { return m_pctLink; }

    void ApplyTexts();

    // The save question for a changed set; false when the user keeps things as they are.
    bool askToSaveChanges();
    // Something was dropped on a face's image area.
    void imageDropped(int face, const QMimeData* data, QObject* source);
    // A picture file becomes the face's picture and file, as when it is dropped there. A
    // file that cannot be loaded gets the face's message and changes nothing.
    bool takePictureFile(int face, const QString& path);

    // The window's events, as the main window's document area reports them.
    void Activate();
    void GotFocus();
    void LostFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeImageAreas();
    void tabClicked(int index);
    void clearShownFace(); // Ctrl+G
    void showPopup(const QPoint& globalPos);
    CoverHost* host() const;

    std::shared_ptr<clsCover> m_cover;
    QTabWidget* m_tabs = nullptr;
    std::array<ImageArea*, 4> m_areas{};
    QLabel* m_pctLink = nullptr;
};
