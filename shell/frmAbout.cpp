#include "frmAbout.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "RegistryReader.h"
#include "SysInfo.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("picIcon"));
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        m_icon->setPixmap(icon.pixmap(64, 64));

    m_title = makeLabel(QStringLiteral("lblTitle"), this);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_version = makeLabel(QStringLiteral("lblVersion"), this);
    m_description = makeLabel(QStringLiteral("lblDescription"), this);
    m_licence = makeLabel(QStringLiteral("Label1"), this);
    m_disclaimer = makeLabel(QStringLiteral("lblDisclaimer"), this);
    QFont smaller = m_disclaimer->font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.9);
    m_disclaimer->setFont(smaller);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_sysInfo = new QPushButton(this);
    m_sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_sysInfo->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(m_sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_title);
    texts->addWidget(m_version);
    texts->addSpacing(10);
    texts->addWidget(m_description);
    texts->addSpacing(6);
    texts->addWidget(m_licence);
    texts->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(m_icon, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_sysInfo);
    auto* foot = new QHBoxLayout;
    foot->addWidget(m_disclaimer, 1, Qt::AlignTop);
    foot->addSpacing(12);
    foot->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addSpacing(8);
    layout->addWidget(rule);
    layout->addLayout(foot);

    ApplyTexts();
    setWindowTitle(LangString(1118) + platform::applicationTitle());
    m_version->setText(LangString(1344) + platform::shortVersionText());
    m_title->setText(platform::productName());

    // The wrapped texts decide the height; a box that fits them has no empty band.
    constexpr int kWidth = 540;
    layout->activate();
    setFixedSize(kWidth, layout->hasHeightForWidth() ? layout->totalHeightForWidth(kWidth)
                                                     : sizeHint().height());
}

void frmAbout::ApplyTexts()
{
    m_sysInfo->setText(LangString(1094));
    m_licence->setText(LangString(1320));
    m_description->setText(LangString(1132));
    m_version->setText(LangString(1342));
    m_disclaimer->setText(LangString(1346));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    NoRegistry registry;
    StartSysInfo(registry);
}
