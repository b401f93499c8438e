#include "frmCOnfig.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "Preferences.h"
#include "PrinterCalibrationTab.h"
#include "Settings.h"
#include "Ui.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

frmCOnfig::frmCOnfig(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCOnfig"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabConfig"));
    auto* page = new QWidget(m_tabs);
    m_tabs->addTab(page, QString());

    m_frame = new QGroupBox(page);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_editor = new QLineEdit(m_frame);
    m_editor->setObjectName(QStringLiteral("txtEditor"));
    m_browse = new QPushButton(m_frame);
    m_browse->setObjectName(QStringLiteral("btnAccion"));
    m_browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &frmCOnfig::btnAccion_Click);

    auto* row = new QHBoxLayout(m_frame);
    row->addWidget(m_editor, 1);
    row->addWidget(m_browse);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(m_frame);
    pageLayout->addStretch();

    m_printerTab = new PrinterCalibrationTab(QPrinterInfo::availablePrinterNames(),
                                             QPrinterInfo::defaultPrinterName(), m_tabs);
    m_tabs->addTab(m_printerTab, QString());

    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(m_ok, &QPushButton::clicked, this, &frmCOnfig::btnOk_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmCOnfig::btnCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    // Editor paths are long; more height would only add empty space.
    setMinimumWidth(460);

    ApplyTexts();
    setFixedHeight(sizeHint().height());
    m_editor->setText(platform::editorPath());
    m_editor->setFocus();
}

void frmCOnfig::ApplyTexts()
{
    m_cancel->setText(LangString(1046));
    m_tabs->setTabText(0, LangString(1252));
    m_frame->setTitle(LangString(1012));
    m_tabs->setTabText(1, LangString(1450));
    m_printerTab->ApplyTexts();
}

void frmCOnfig::btnAccion_Click()
{
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Kind::Open;
    request.title = LangString(1288);
    // Programs here have no name ending of their own, so every file is listed (a folder
    // such as /usr/bin shows its programs) and the choice itself is checked.
    request.filter = QStringLiteral("Applications|*");
    request.fileName = m_dialogFileName;
    for (;;) {
        const QString chosen = platform::ui().fileDialog(request);
        if (chosen.isEmpty())
            break;
        if (isProgram(chosen)) {
            m_dialogFileName = chosen;
            break;
        }
        platform::ui().messageBox(LangString(1380) + QStringLiteral("\r\n") + chosen,
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Exclamation);
        // Back to the dialog, where the refused file is.
        request.fileName = chosen;
    }
    if (!m_dialogFileName.isEmpty())
        m_editor->setText(m_dialogFileName);
}

bool frmCOnfig::isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

void frmCOnfig::btnOk_Click()
{
    // A refused calibration value keeps the dialog open, and nothing is stored yet.
    if (!m_printerTab->validate())
        return;
    m_printerTab->save();
    // Stored as typed: a path is not ours to trim or check, and an empty one means the
    // desktop's own application for each picture.
    platform::setEditorPath(m_editor->text());
    accept();
}

void frmCOnfig::btnCancel_Click()
{
    reject();
}
