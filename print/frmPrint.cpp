#include "frmPrint.h"

#include "AppInfo.h"
#include "CoverSet.h"
#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Twips.h"
#include "Ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using platform::twipsRect;

namespace {

const char* const kCheckNames[kFaceCount] = {"chkFront", "chkInside", "chkBack", "chkCD"};

// The check boxes stand in one column, one row a face.
QRect checkGeometry(int face)
{
    return twipsRect(225, 105 + 285 * face, 1245, 285);
}

const QRect kButtonGeometry[2] = {twipsRect(1770, 105, 1230, 405), twipsRect(1785, 795, 1230, 405)};

const QSize kClientSize = platform::twipsSize(3135, 1320);

// Below the faces: the CD's paper, the labels to fill, the fold marks.
const QRect kSheetLabelGeometry = twipsRect(225, 1290, 1245, 285);
const QRect kSheetGeometry = twipsRect(1470, 1260, 1545, 315);
const QRect kPositionsLabelGeometry = twipsRect(225, 1650, 1245, 285);
const QRect kPositionsGeometry = twipsRect(1470, 1620, 1545, 315);
const QRect kFoldMarksGeometry = twipsRect(225, 2010, 2790, 285);

const QString kSection = QStringLiteral("Print");
const QString kLabelSheetKey = QStringLiteral("LabelSheet");
const QString kFoldMarksKey = QStringLiteral("FoldMarks");

QString paperName(const QSizeF& paper)
{
    if (qAbs(paper.width() - 210) < 0.5 && qAbs(paper.height() - 297) < 0.5)
        return QStringLiteral("A4");
    if (qAbs(paper.width() - 215.9) < 0.5 && qAbs(paper.height() - 279.4) < 0.5)
        return QStringLiteral("Letter");
    return QStringLiteral("%1 × %2 mm").arg(paper.width()).arg(paper.height());
}

// What the list shows of a sheet: its own name, or its paper, labels and diameter.
QString sheetTitle(const LabelSheet& sheet)
{
    if (sheet.name != sheet.id)
        return sheet.name;
    return LangString(1566)
        .arg(paperName(sheet.paperMm))
        .arg(sheet.centres.size())
        .arg(sheet.outer);
}

} // namespace

frmPrint::frmPrint(CoverSet* cover, QWidget* parent) : QDialog(parent), m_cover(cover)
{
    setObjectName(QStringLiteral("frmPrint"));
    setModal(true);

    for (const FaceInfo& face : kFaces) {
        auto* box = new QCheckBox(QString::fromUtf8(face.fixedPrintCaption), this);
        box->setObjectName(QString::fromLatin1(kCheckNames[face.index]));
        box->setGeometry(checkGeometry(face.index));
        m_checks[face.index] = box;
    }
    for (int i = 0; i < 2; ++i) {
        m_buttons[i] = new QPushButton(this);
        m_buttons[i]->setObjectName(QStringLiteral("btnAccion_%1").arg(i));
        m_buttons[i]->setGeometry(kButtonGeometry[i]);
        m_buttons[i]->setAutoDefault(false);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { btnAccion_Click(i); });
    }
    m_buttons[0]->setDefault(true);

    // Front, Inside, Back, then the buttons, the CD box, and what goes with the sheets.
    QWidget* const order[] = {m_checks[0], m_checks[1], m_checks[2], m_buttons[0],
                              m_buttons[1], m_checks[3], m_sheet,    m_positions,
                              m_foldMarks};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    buildSheetControls();
    ApplyTexts();
    fitToTexts();

    // The preset comes from the picture files and the text written on the faces, never from
    // an earlier run's choice.
    for (const FaceInfo& face : kFaces) {
        const bool offered = m_cover && (!m_cover->face(face.index).file().isEmpty() ||
                                         !m_cover->face(face.index).texts().isEmpty());
        m_checks[face.index]->setChecked(offered);
        m_checks[face.index]->setEnabled(offered);
    }
}

void frmPrint::buildSheetControls()
{
    m_sheetLabel = new QLabel(this);
    m_sheetLabel->setGeometry(kSheetLabelGeometry);
    m_sheet = new QComboBox(this);
    m_sheet->setObjectName(QStringLiteral("cboLabelSheet"));
    m_sheet->setGeometry(kSheetGeometry);
    m_sheetLabel->setBuddy(m_sheet);
    m_positionsLabel = new QLabel(this);
    m_positionsLabel->setGeometry(kPositionsLabelGeometry);
    m_positions = new QLineEdit(this);
    m_positions->setObjectName(QStringLiteral("txtLabelPositions"));
    m_positions->setGeometry(kPositionsGeometry);
    m_positionsLabel->setBuddy(m_positions);
    m_foldMarks = new QCheckBox(this);
    m_foldMarks->setObjectName(QStringLiteral("chkFoldMarks"));
    m_foldMarks->setGeometry(kFoldMarksGeometry);

    m_sheets = LabelSheet::readAll(platform::labelSheetFolders(platform::programFolder()),
                                   &m_malformed);
    const bool round = m_cover && m_cover->face(kCdFace).shape().round;
    const QString last = platform::GetSetting(platform::applicationTitle(), kSection,
                                              kLabelSheetKey);
    m_sheet->addItem(QString());
    for (const LabelSheet& sheet : std::as_const(m_sheets)) {
        m_sheet->addItem(sheetTitle(sheet), sheet.id);
        if (round && sheet.id == last)
            m_sheet->setCurrentIndex(m_sheet->count() - 1);
    }
    // Labels are round: a rectangular CD face prints on its own page.
    m_sheet->setEnabled(round && !m_sheets.isEmpty());
    m_foldMarks->setChecked(platform::GetSetting(platform::applicationTitle(), kSection,
                                                 kFoldMarksKey, QStringLiteral("1")) != QLatin1String("0"));
    connect(m_sheet, &QComboBox::currentIndexChanged, this, &frmPrint::showPositions);
    showPositions();
}

void frmPrint::showPositions()
{
    const bool onSheet = m_sheet->currentIndex() > 0;
    m_positions->setEnabled(onSheet);
    m_positionsLabel->setEnabled(onSheet);
}

bool frmPrint::takeOptions()
{
    m_options = PrintOptions();
    m_options.cdShape = m_cover ? m_cover->face(kCdFace).shape() : DiscShape();
    m_options.foldMarks = m_foldMarks->isChecked();
    const int index = m_sheet->currentIndex() - 1;
    if (index < 0 || index >= m_sheets.size() || !m_sheet->isEnabled())
        return true;
    const LabelSheet& sheet = m_sheets[index];
    const std::optional<QList<int>> positions =
        LabelSheet::parsePositions(m_positions->text(), int(sheet.centres.size()));
    if (!positions || positions->isEmpty()) {
        platform::ui().messageBox(LangString(1576).arg(sheet.centres.size()),
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Exclamation);
        m_positions->setFocus();
        m_positions->selectAll();
        return false;
    }
    m_options.labelSheet = sheet;
    m_options.positions = *positions;
    return true;
}

void frmPrint::ApplyTexts()
{
    setWindowTitle(LangString(1348));
    m_sheetLabel->setText(LangString(1562));
    m_sheet->setItemText(0, LangString(1564));
    m_sheet->setToolTip(m_sheet->isEnabled() || m_sheets.isEmpty() ? QString() : LangString(1574));
    m_positionsLabel->setText(LangString(1568));
    m_positions->setPlaceholderText(LangString(1582));
    m_foldMarks->setText(LangString(1570));
    m_buttons[1]->setText(LangString(1046));
    m_buttons[0]->setText(LangString(1088));
    for (auto face = kFaces.rbegin(); face != kFaces.rend(); ++face) {
        if (face->printCheckCaption != 0)
            m_checks[face->index]->setText(LangString(face->printCheckCaption));
    }
}

void frmPrint::fitToTexts()
{
    // The sheet's fields stand right of the wider of their labels.
    const int labels = qMax(m_sheetLabel->sizeHint().width(), m_positionsLabel->sizeHint().width());
    const int fieldsAt = qMax(kSheetGeometry.left(), kSheetLabelGeometry.left() + labels +
                                                        platform::twips(90));
    const int fieldWidth = qMax(m_sheet->sizeHint().width(), kSheetGeometry.width());
    for (QWidget* field : {static_cast<QWidget*>(m_sheet), static_cast<QWidget*>(m_positions)})
        field->setGeometry(fieldsAt, field->y(), fieldWidth, field->height());
    QSize client = kClientSize;
    const QList<QWidget*> controls = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        QRect place = control->geometry();
        place.setSize(place.size().expandedTo(control->sizeHint()));
        control->setGeometry(place);
        // Keep the design's margins right of the buttons and below the last box.
        client = client.expandedTo(QSize(place.right() + 1 + platform::twips(120),
                                         place.bottom() + 1 + platform::twips(75)));
    }
    setFixedSize(client);
}

void frmPrint::btnAccion_Click(int index)
{
    if (index == 0) {
        if (!takeOptions())
            return;
        platform::SaveSetting(platform::applicationTitle(), kSection, kFoldMarksKey,
                              m_options.foldMarks ? QStringLiteral("1") : QStringLiteral("0"));
        if (m_sheet->isEnabled())
            platform::SaveSetting(platform::applicationTitle(), kSection, kLabelSheetKey,
                                  m_sheet->currentData().toString());
        if (m_cover) {
            for (const FaceInfo& face : kFaces) {
                const QCheckBox* box = m_checks[face.index];
                m_cover->setPrintFace(face.index, box->isEnabled() && box->isChecked());
            }
        }
        accept();
    } else {
        reject();
    }
}
