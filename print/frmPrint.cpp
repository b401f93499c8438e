#include "frmPrint.h"

#include "CoverSet.h"
#include "LangRuntime.h"
#include "Twips.h"

#include <QCheckBox>
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

    // Front, Inside, Back, then the buttons, and the CD box last.
    QWidget* const order[] = {m_checks[0],  m_checks[1],  m_checks[2],
                              m_buttons[0], m_buttons[1], m_checks[3]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

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

void frmPrint::ApplyTexts()
{
    setWindowTitle(LangString(1348));
    m_buttons[1]->setText(LangString(1046));
    m_buttons[0]->setText(LangString(1088));
    for (auto face = kFaces.rbegin(); face != kFaces.rend(); ++face) {
        if (face->printCheckCaption != 0)
            m_checks[face->index]->setText(LangString(face->printCheckCaption));
    }
}

void frmPrint::fitToTexts()
{
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
