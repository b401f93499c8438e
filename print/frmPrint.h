#pragma once

#include "Faces.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QPushButton;
class clsCover;

// Which faces of the active cover set to print. Only faces with a picture file are offered,
// all of them ticked; confirming writes the four print flags of the set, cancelling writes
// nothing. A new dialog is made for every print run, so each starts from this preset.
class frmPrint : public QDialog
{
    Q_OBJECT

public:
    // Takes ActiveCover as its cover set.
    explicit frmPrint(QWidget* parent = nullptr);

    void ApplyTexts();

    const std::shared_ptr<clsCover>& Cover() const { return m_cover; }
    // chkFront, chkInside, chkBack, chkCD by face index.
    QCheckBox* checkBox(int face) const { return isFaceIndex(face) ? m_checks[face] : nullptr; }
    // 0 confirms, 1 cancels.
    QPushButton* btnAccion(int index) const { return m_buttons[index]; }

    void btnAccion_Click(int index);

private:
    // Controls keep their places; one whose text needs more room than its design grows,
    // and the dialog with it.
    void fitToTexts();

    std::shared_ptr<clsCover> m_cover;
    std::array<QCheckBox*, kFaceCount> m_checks{};
    std::array<QPushButton*, 2> m_buttons{};
};
