#include "frmMenu.h"

#include "AppInfo.h"
#include "CoverSetFile.h"
#include "Faces.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Twips.h"
#include "Ui.h"
#include "clsCover.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
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
    tabs->onPopup = [this](const QPoint& pos) { Q_EMIT popupRequested(pos); };
    m_tabs = tabs;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(twipsRect(30, 15, 6735, 5820));
    for (const FaceInfo& face : kFaces) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("tab") + QString::fromLatin1(face.name));
        m_tabs->addTab(page, QString::fromUtf8(face.fixedTabCaption));
        auto* area = new ImageArea(&m_cover->set(), face.index, page);
        connect(area, &ImageArea::popupRequested, this, &frmMenu::popupRequested);
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
    CoverSet& set = m_cover->set();
    m_tabs->setCurrentIndex(isFaceIndex(set.position()) ? set.position() : 0);
    connect(m_tabs, &QTabWidget::currentChanged, &set,
            [&set](int index) { set.setPosition(qint16(index)); });
    connect(&set, &CoverSet::positionChanged, m_tabs, [this](int face) {
        if (isFaceIndex(face))
            m_tabs->setCurrentIndex(face);
    });
}

frmMenu::~frmMenu() = default;

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

// Removes the shown picture of the Front, Inside or Back face; the face's file and the
// set's changed state stay, so saving still names the file.
void frmMenu::clearShownFace()
{
    CoverSet& set = m_cover->set();
    const int face = set.position();
    if (face < 0 || face > 2)
        return;
    set.changeFace(face, set.face(face).showing(platform::Picture()), false);
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

// The save question for a changed set. False when the user keeps the window as it is:
// Cancel, or a Save that was cancelled or failed.
bool frmMenu::askToSaveChanges()
{
    if (!m_cover || !m_cover->NeedSave())
        return true;
    const platform::MsgResult answer =
        platform::ui().messageBox(LangString(1272), platform::applicationTitle(),
                                  platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question);
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
    event->accept();
}

void frmMenu::imageDropped(int face, const QMimeData* data, QObject* source)
{
    if (!isFaceIndex(face) || !m_cover)
        return;
    CoverSet& set = m_cover->set();

    // Another face's picture: the same picture, not its file.
    if (const auto* from = qobject_cast<const ImageArea*>(source)) {
        if (!from->objectName().startsWith(QLatin1String("img")))
            return;
        if (from != imageArea(face))
            set.changeFace(face, set.face(face).showing(from->picture()));
        set.setNeedSave(true);
        return;
    }

    const QString path = ImageArea::lastDroppedFile(data);
    if (isCoverSetFileName(path)) {
        // The window shows the dropped set instead; its own changes are offered first.
        if (!askToSaveChanges())
            return;
        m_cover->setFileCover(path);
        m_cover->LoadCover();
        m_cover->setNeedSave(false);
        return;
    }

    if (!path.isEmpty() && platform::isPictureFileName(path)) {
        m_cover->takePictureFile(face, path);
        return;
    }

    // Picture data with no file behind it (a browser's image): like a paste.
    const platform::Picture picture = platform::Picture::fromMimeData(data);
    if (!picture.isNull())
        set.changeFace(face, set.face(face).showing(picture));
}
