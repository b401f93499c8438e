#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QToolButton;

// The pages of a print run before they reach the paper: the printer's paper as it will come
// out, page by page, zoomed as the user likes. Print sends exactly these pages to that
// printer; Cancel and the window's close box print nothing.
class frmPreview : public QDialog
{
    Q_OBJECT

public:
    // Draws the run's pages on the printer it is given (the preview's or the real one) and
    // says whether that worked.
    using Paint = std::function<bool(QPrinter&)>;

    // `printer` is not owned; it is the one the pages are printed on.
    frmPreview(QPrinter& printer, Paint paint, QWidget* parent = nullptr);

    void ApplyTexts();

    QPrintPreviewWidget* preview() const { return m_preview; }
    QComboBox* cboZoom() const { return m_zoom; }
    QSpinBox* txtPage() const { return m_page; }
    QToolButton* btnPrevious() const { return m_previous; }
    QToolButton* btnNext() const { return m_next; }
    QPushButton* btnPrint() const { return m_print; }
    QPushButton* btnCancel() const { return m_cancel; }

    // Whether the print from the preview went well; false before there was one.
    bool printed() const { return m_printed; }

    // The zoom choices: a whole page, the page's width, then fixed percentages.
    static const QList<int>& zoomPercentages();

private:
    void print();
    void zoomChosen(int index);
    void stepZoom(int by);
    void goToPage(int page);
    void showPageNumbers();

    QPrinter& m_printer;
    Paint m_paint;
    bool m_printed = false;
    QPrintPreviewWidget* m_preview = nullptr;
    QComboBox* m_zoom = nullptr;
    QSpinBox* m_page = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_cancel = nullptr;
};
