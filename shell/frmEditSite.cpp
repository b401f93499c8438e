#include "frmEditSite.h"

#include "LangRuntime.h"
#include "SiteList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmEditSite::frmEditSite(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditSite"));
    setModal(true);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtSiteName"));
    m_url = new QLineEdit(QStringLiteral("Http://"), this);
    m_url->setObjectName(QStringLiteral("txtSiteUrl"));
    for (int i = 0; i < 2; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    m_labels[0]->setBuddy(m_name);
    m_labels[1]->setBuddy(m_url);

    m_buttons[0] = new QPushButton(QStringLiteral("&Ok"), this);
    m_buttons[1] = new QPushButton(this);
    m_buttons[0]->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    for (int i = 0; i < 2; ++i) {
        m_buttons[i]->setObjectName(QStringLiteral("btnAccion_%1").arg(i));
        buttons->addButton(m_buttons[i],
                           i == 0 ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { btnAccion_Click(i); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labels[0]);
    layout->addWidget(m_name);
    layout->addSpacing(6);
    layout->addWidget(m_labels[1]);
    layout->addWidget(m_url);
    layout->addSpacing(12);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(420);

    ApplyTexts();
    // Wider fields help with long addresses; more height would only add empty space.
    setFixedHeight(sizeHint().height());
    m_name->setFocus();
}

void frmEditSite::ApplyTexts()
{
    m_buttons[1]->setText(LangString(1046));
    m_labels[1]->setText(LangString(1300));
    m_labels[0]->setText(LangString(1298));
}

void frmEditSite::btnAccion_Click(int index)
{
    if (index == 0) {
        m_result = m_name->text() + SiteList::separator() + m_url->text();
        accept();
    } else {
        m_result.clear();
        reject();
    }
}
