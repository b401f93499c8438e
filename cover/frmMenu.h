#pragma once

#include <QWidget>

#include <array>
#include <memory>

class ImageArea;
class QLabel;
class QMimeData;
class QTabWidget;
class clsCover;

// The document window of one cover set: a tab for each face, each with its image area.
// It lives inside a QMdiSubWindow of the main window, which owns and deletes it on close.
// It shows the set and turns gestures into calls on it; the tab shown is the set's current
// face, whichever of the two changes it.
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

Q_SIGNALS:
    // A right click on a face or the tabs: the place for the Edit menu.
    void popupRequested(const QPoint& globalPos);
    // What the set's work is doing now, for the status bar ("" when done).
    void statusChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeImageAreas();
    void clearShownFace(); // Ctrl+G

    std::shared_ptr<clsCover> m_cover;
    QTabWidget* m_tabs = nullptr;
    std::array<ImageArea*, 4> m_areas{};
    QLabel* m_pctLink = nullptr;
};
