#include "frmMenu.h"

#include "AppInfo.h"
#include "CoverHost.h"
#include "Faces.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Twips.h"
#include "Ui.h"
#include "clsCover.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMimeData>
#include <QMenu>
#include <QKeyEvent>
#include <QTabWidget>

using platform::twipsRect;

namespace {

// The image areas' places on their tabs (the Back area is larger).
const QRect kAreaGeometry[kFaceCount] = {
    twipsRect(135, 510, 5070, 4950),
    twipsRect(150, 510, 5070, 4950),
    twipsRect(150, 510, 6420, 5130),
    twipsRect(150, 510, 5070, 4950),
};

// The tab control reports a right click on its tab bar as the window's pop-up.
class TabControl final : public QTabWidget
{
public:
    using QTabWidget::QTabWidget;
    std::function<void(const QPoint&)> onPopup;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        if (onPopup)
            onPopup(event->globalPos());
        event->accept();
    }
};

} // namespace

frmMenu::frmMenu(std::shared_ptr<clsCover> cover, QWidget* parent)
    : QWidget(parent), m_cover(std::move(cover))
{
    setObjectName(QStringLiteral("frmMenu"));
    setFixedSize(platform::twipsSize(6825, 5925));

    auto* tabs = new TabControl(this);
    tabs->onPopup = [this](const QPoint& pos) { showPopup(pos); };
    m_tabs = tabs;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(twipsRect(30, 15, 6735, 5820));
    for (const FaceInfo& face : kFaces) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("tab") + QString::fromLatin1(face.name));
        m_tabs->addTab(page, QString::fromUtf8(face.fixedTabCaption));
        auto* area = new ImageArea(&m_cover->set(), face.index, page);
        connect(area, &ImageArea::popupRequested, this, &frmMenu::showPopup);
        connect(area, &ImageArea::dropped, this,
                [this, face = face.index](const QMimeData* data, QObject* source) {
                    imageDropped(face, data, source);
                });
        m_areas[face.index] = area;
    }

    // The transfer buffer of the external editor; never shown.
    m_pctLink = new QLabel(this);
    m_pctLink->setObjectName(QStringLiteral("pctLink"));
    m_pctLink->setGeometry(twipsRect(3750, 5865, 960, 75));
    m_pctLink->hide();

    ApplyTexts();
    m_tabs->setCurrentIndex(0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmMenu::tabClicked);
}

frmMenu::~frmMenu() = default;

CoverHost* frmMenu::host() const
{
    return m_cover ? m_cover->host() : nullptr;
}

ImageArea* frmMenu::imageArea(int face) const
{
    return isFaceIndex(face) ? m_areas[face] : nullptr;
}

// The image areas' places are given in window coordinates; the tab pages they sit on are
// placed by the tab control, so they are known once it has laid itself out.
void frmMenu::placeImageAreas()
{
    for (const FaceInfo& face : kFaces) {
        ImageArea* area = m_areas[face.index];
        const QPoint origin = area->parentWidget()->mapTo(this, QPoint(0, 0));
        area->setGeometry(kAreaGeometry[face.index].translated(-origin));
    }
}

void frmMenu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    placeImageAreas();
}

void frmMenu::ApplyTexts()
{
    for (const FaceInfo& face : kFaces) {
        if (face.tabCaption != 0)
            m_tabs->setTabText(face.index, LangString(face.tabCaption));
    }
}

void frmMenu::Activate()
{
    CoverHost* host = this->host();
    if (!host)
        return;
    host->setActiveCover(m_cover);
    host->UpdateCommands(this, true);
}

void frmMenu::GotFocus()
{
    if (CoverHost* host = this->host())
        host->UpdateCommands(this, true);
}

void frmMenu::LostFocus()
{
    if (CoverHost* host = this->host())
        host->UpdateCommands(this, false);
}

void frmMenu::tabClicked(int index)
{
    if (m_cover)
        m_cover->setPosition(qint16(index));
    if (CoverHost* host = this->host())
        host->UpdateCommands(this, true);
}

// Removes the shown picture of the Front, Inside or Back face; the face's file and the
// set's changed state stay, so saving still names the file.
void frmMenu::clearShownFace()
{
    const int face = m_tabs->currentIndex();
    if (face < 0 || face > 2 || !m_cover)
        return;
    const Face before = m_cover->set().face(face);
    m_areas[face]->clearPicture();
    m_cover->set().recordFaceChange(face, before);
}

// Keys the tab control does not use reach the window.
void frmMenu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_G && event->modifiers() == Qt::ControlModifier) {
        clearShownFace();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmMenu::showPopup(const QPoint& globalPos)
{
    if (CoverHost* host = this->host()) {
        if (QMenu* menu = host->editMenu())
            menu->popup(globalPos);
    }
}

// The save question for a changed set. False when the user keeps the window as it is:
// Cancel, or a Save that was cancelled or failed.
bool frmMenu::askToSaveChanges()
{
    if (!m_cover || !m_cover->NeedSave())
        return true;
    const platform::MsgResult answer = platform::ui().messageBox(
        LangString(1272), platform::applicationTitle(), platform::MsgButtons::YesNoCancel,
        platform::MsgIcon::Question);
    if (answer == platform::MsgResult::Cancel)
        return false;
    if (answer == platform::MsgResult::Yes) {
        m_cover->SaveCover(1);
        // A cancelled or failed save keeps the window, and with it the changes.
        if (m_cover->NeedSave())
            return false;
    }
    return true;
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    LostFocus();
    event->accept();
}
