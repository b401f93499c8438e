#pragma once

#include "CoverSet.h"

#include <QDialog>

class ImageArea;

// A larger view of one face, for placing and editing its text: the same image area as in the
// document window (picture, text, selection, moving and resizing), as large as the window,
// keeping the face's proportions. It goes with the document window it was opened from.
class FaceView : public QDialog
{
    Q_OBJECT

public:
    FaceView(CoverSet* set, int face, QWidget* documentWindow);

    ImageArea* area() const { return m_area; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageArea* m_area;
    QSizeF m_faceMm;
};
