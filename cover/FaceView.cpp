#include "FaceView.h"

#include "ImageArea.h"
#include "LangRuntime.h"

#include <QResizeEvent>

namespace {

constexpr int kMargin = 12;
// The view opens at this many pixels a millimetre: a 6.5 mm spine is 26 pixels wide.
constexpr double kPixelsPerMm = 4.0;

} // namespace

FaceView::FaceView(CoverSet* set, int face, QWidget* documentWindow)
    : QDialog(documentWindow),
      m_faceMm(kFaces[size_t(face)].widthMm, kFaces[size_t(face)].heightMm)
{
    setObjectName(QStringLiteral("frmFaceView"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    const FaceInfo& info = kFaces[size_t(face)];
    QString name = info.tabCaption ? LangString(info.tabCaption)
                                   : QString::fromLatin1(info.fixedTabCaption);
    setWindowTitle(LangString(1538).arg(name.remove(QLatin1Char('&'))));
    m_area = new ImageArea(set, face, this);
    resize((m_faceMm * kPixelsPerMm).toSize() + QSize(2 * kMargin, 2 * kMargin));
    if (set->position() != face)
        set->setPosition(qint16(face));
    m_area->setFocus();
}

void FaceView::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QSizeF room = QSizeF(size()) - QSizeF(2 * kMargin, 2 * kMargin);
    const QSizeF shown = m_faceMm.scaled(room, Qt::KeepAspectRatio);
    const QPointF corner((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    m_area->setGeometry(QRectF(corner, shown).toRect());
}
