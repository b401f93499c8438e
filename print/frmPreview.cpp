#include "frmPreview.h"

#include "LangRuntime.h"
#include "PlainCaption.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWholePage = 0;
constexpr int kPageWidth = 1;
constexpr int kFirstPercentage = 2;

} // namespace

const QList<int>& frmPreview::zoomPercentages()
{
    static const QList<int> percentages = {25, 50, 75, 100, 150, 200, 400};
    return percentages;
}

frmPreview::frmPreview(QPrinter& printer, Paint paint, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_paint(std::move(paint))
{
    setObjectName(QStringLiteral("frmPreview"));
    setModal(true);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
    // The preview draws on the printer in preview mode; what it draws is the print's own.
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* on) { m_paint(*on); });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &frmPreview::showPageNumbers);

    m_previous = new QToolButton(this);
    m_previous->setObjectName(QStringLiteral("btnPrevious"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setAutoRaise(true);
    connect(m_previous, &QToolButton::clicked, this,
            [this] { goToPage(m_preview->currentPage() - 1); });
    m_page = new QSpinBox(this);
    m_page->setObjectName(QStringLiteral("txtPage"));
    m_page->setRange(1, 1);
    connect(m_page, &QSpinBox::valueChanged, this, &frmPreview::goToPage);
    m_next = new QToolButton(this);
    m_next->setObjectName(QStringLiteral("btnNext"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setAutoRaise(true);
    connect(m_next, &QToolButton::clicked, this,
            [this] { goToPage(m_preview->currentPage() + 1); });

    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    m_zoom->addItem(QString());
    m_zoom->addItem(QString());
    for (const int percent : zoomPercentages())
        m_zoom->addItem(QStringLiteral("%1 %").arg(percent), percent);
    connect(m_zoom, &QComboBox::activated, this, &frmPreview::zoomChosen);
    // The usual zoom keys step through the same choices.
    auto* zoomIn = new QAction(this);
    zoomIn->setShortcuts(QKeySequence::ZoomIn);
    connect(zoomIn, &QAction::triggered, this, [this] { stepZoom(1); });
    auto* zoomOut = new QAction(this);
    zoomOut->setShortcuts(QKeySequence::ZoomOut);
    connect(zoomOut, &QAction::triggered, this, [this] { stepZoom(-1); });
    addAction(zoomIn);
    addAction(zoomOut);

    m_print = new QPushButton(this);
    m_print->setObjectName(QStringLiteral("btnPrint"));
    m_print->setDefault(true);
    connect(m_print, &QPushButton::clicked, this, &frmPreview::print);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_previous);
    bar->addWidget(m_page);
    bar->addWidget(m_next);
    bar->addSpacing(12);
    bar->addWidget(m_zoom);
    bar->addStretch(1);
    bar->addWidget(m_print);
    bar->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_preview, 1);

    ApplyTexts();
    // Most of the screen: a landscape sheet is wide.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize();
        resize(room.width() * 3 / 4, room.height() * 3 / 4);
    }
    showPageNumbers();
}

void frmPreview::ApplyTexts()
{
    setWindowTitle(plainCaption(LangString(1440)));
    m_zoom->setItemText(kWholePage, LangString(1466));
    m_zoom->setItemText(kPageWidth, LangString(1468));
    m_print->setText(LangString(1470));
    m_cancel->setText(LangString(1046));
}

void frmPreview::zoomChosen(int index)
{
    if (index == kWholePage) {
        m_preview->fitInView();
    } else if (index == kPageWidth) {
        m_preview->fitToWidth();
    } else if (index >= kFirstPercentage) {
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(m_zoom->itemData(index).toInt() / 100.0);
    }
}

void frmPreview::stepZoom(int by)
{
    // From a fitted view, the nearest percentage in the wanted direction.
    int index = m_zoom->currentIndex();
    if (index < kFirstPercentage) {
        const double now = m_preview->zoomFactor() * 100;
        index = by > 0 ? m_zoom->count() - 1 : kFirstPercentage;
        for (int i = kFirstPercentage; i < m_zoom->count(); ++i) {
            const int percent = m_zoom->itemData(i).toInt();
            if (by > 0 && percent > now + 0.5) {
                index = i;
                break;
            }
            if (by < 0 && percent < now - 0.5)
                index = i;
        }
    } else {
        index = qBound(kFirstPercentage, index + by, m_zoom->count() - 1);
    }
    m_zoom->setCurrentIndex(index);
    zoomChosen(index);
}

void frmPreview::goToPage(int page)
{
    m_preview->setCurrentPage(page);
    // The preview tells of a new page only when scrolling brings one; a page shown whole
    // changes without a word.
    showPageNumbers();
}

void frmPreview::showPageNumbers()
{
    const int pages = std::max(1, m_preview->pageCount());
    const QSignalBlocker quiet(m_page);
    m_page->setRange(1, pages);
    m_page->setSuffix(QStringLiteral(" / %1").arg(pages));
    m_page->setValue(std::max(1, m_preview->currentPage()));
    m_previous->setEnabled(m_preview->currentPage() > 1);
    m_next->setEnabled(m_preview->currentPage() < m_preview->pageCount());
}

void frmPreview::print()
{
    // The very pages shown, drawn once more on the printer itself.
    m_printed = m_paint(m_printer);
    accept();
}
