#include "frmLanguage.h"

#include "Twips.h"
#include "Ui.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

using platform::twipsRect;

frmLanguage::frmLanguage(const QStringList& names, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLanguage"));
    // The question must be answered: the window has no close box (and Escape does nothing),
    // so it always returns with a language.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Language"));
    setFixedSize(platform::twipsSize(2985, 2205));

    m_prompt = new QLabel(QStringLiteral("Please Select a Language"), this);
    m_prompt->setObjectName(QStringLiteral("lbl0"));
    m_prompt->setGeometry(twipsRect(45, 45, 2835, 195).adjusted(0, -2, 0, 4));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstLanguages"));
    m_list->setGeometry(twipsRect(45, 285, 2895, 1425));
    m_list->addItems(names);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(twipsRect(1485, 1785, 1455, 375));
    m_ok->setDefault(true);

    // Lies below the visible client area, as it always has.
    m_credit = new QLabel(QStringLiteral("Orvella localisation runtime"), this);
    m_credit->setObjectName(QStringLiteral("lbl1"));
    m_credit->setGeometry(twipsRect(120, 2280, 3255, 435));

    connect(m_ok, &QPushButton::clicked, this, &frmLanguage::cmdOK_Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &frmLanguage::cmdOK_Click);

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void frmLanguage::cmdOK_Click()
{
    if (m_list->currentRow() >= 0 && m_list->currentItem() &&
        m_list->currentItem()->isSelected()) {
        accept();
        return;
    }
    platform::ui().beep();
}

void frmLanguage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int frmLanguage::ask(const QStringList& names)
{
    frmLanguage chooser(names);
    platform::ui().execDialog(&chooser);
    const QListWidgetItem* item = chooser.m_list->currentItem();
    return item && item->isSelected() ? chooser.m_list->currentRow() : -1;
}
