#pragma once

#include "Faces.h"
#include "LabelSheet.h"
#include "PrintLayout.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class CoverSet;

// Which faces of the active cover set to print. Only faces with a picture file are offered,
// all of them ticked; confirming writes the four print flags of the set, cancelling writes
// nothing. A new dialog is made for every print run, so each starts from this preset.
// Below the faces: where a round CD label prints (on its own page or onto a label sheet, and
// which of the sheet's labels), and whether the Back's sheet carries fold marks; the sheet
// and the fold marks are remembered for the next run.
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
    QComboBox* labelSheetField() const { return m_sheet; }
    QLineEdit* positionsField() const { return m_positions; }
    QCheckBox* foldMarksField() const { return m_foldMarks; }
    // The label sheet files that could not be read, and are not offered.
    const QStringList& malformedSheets() const { return m_malformed; }
    // How the chosen sheets go on paper, once confirmed.
    const PrintOptions& options() const { return m_options; }

    // 0 confirms, 1 cancels.
    QPushButton* btnAccion(int index) const { return m_buttons[index]; }

    void btnAccion_Click(int index);

private:
    // Controls keep their places; one whose text needs more room than its design grows,
    // and the dialog with it.
    void fitToTexts();
    void buildSheetControls();
    void showPositions();
    // The options as the controls have them; false (with the user told why) when the labels
    // to fill are not positions of the chosen sheet.
    bool takeOptions();

    CoverSet* m_cover;
    std::array<QCheckBox*, kFaceCount> m_checks{};
    std::array<QPushButton*, 2> m_buttons{};
    QLabel* m_sheetLabel = nullptr;
    QComboBox* m_sheet = nullptr;
    QLabel* m_positionsLabel = nullptr;
    QLineEdit* m_positions = nullptr;
    QCheckBox* m_foldMarks = nullptr;
    QList<LabelSheet> m_sheets;
    QStringList m_malformed;
    PrintOptions m_options;
};
