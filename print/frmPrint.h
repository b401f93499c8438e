#pragma once

#include "Faces.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QPushButton;
class CoverSet;

// Which faces of the active cover set to print. Only faces with a picture file are offered,
// all of them ticked; confirming writes the four print flags of the set, cancelling writes
// nothing. A new dialog is made for every print run, so each starts from this preset.
class frmPrint : public QDialog
{
    Q_OBJECT

public:
    // Offers the faces of `cover` (the active set) and writes the choice into it.
    explicit frmPrint(CoverSet* cover, QWidget* parent = nullptr);

    void ApplyTexts();

    CoverSet* Cover() const { return m_cover; }
    // chkFront, chkInside, chkBack, chkCD by face index.
    QCheckBox* checkBox(int face) const { return isFaceIndex(face) ? m_checks[face] : nullptr; }
    // 0 confirms, 1 cancels.
    QPushButton* btnAccion(int index) const { return m_buttons[index]; }

    void btnAccion_Click(int index);

private:
    // Controls keep their places; one whose text needs more room than its design grows,
    // and the dialog with it.
    void fitToTexts();

    CoverSet* m_cover;
    std::array<QCheckBox*, kFaceCount> m_checks{};
    std::array<QPushButton*, 2> m_buttons{};
};
