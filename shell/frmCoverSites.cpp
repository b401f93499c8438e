#include "frmCoverSites.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "Shell.h"
#include "SiteList.h"
#include "TextSplit.h"
#include "Ui.h"
#include "frmEditSite.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmCoverSites::frmCoverSites(const SiteList& sites, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), m_sites(sites)
{
    setObjectName(QStringLiteral("frmCoverSites"));

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_list = new QListWidget(m_frame);
    m_list->setObjectName(QStringLiteral("lstCoverSites"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_readError = new QLabel(m_frame);
    m_readError->setObjectName(QStringLiteral("lblReadError"));
    m_readError->setTextFormat(Qt::PlainText);
    m_readError->setWordWrap(true);
    m_readError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_readError->hide();
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_readError);
    frameLayout->addWidget(m_list);

    for (int i = 0; i < 5; ++i) {
        m_buttons[i] = new QPushButton(this);
        m_buttons[i]->setObjectName(QStringLiteral("btnAccion_%1").arg(i));
        m_buttons[i]->setAutoDefault(false);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { btnAccion_Click(i); });
    }

    auto* column = new QVBoxLayout;
    for (int i = Add; i <= Go; ++i)
        column->addWidget(m_buttons[i]);
    column->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_frame, 1);
    top->addLayout(column);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_buttons[Close]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(560, 340);

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { btnAccion_Click(Go); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &frmCoverSites::updateButtons);

    ApplyTexts();
    ReadList();
    updateButtons();
}

frmCoverSites* frmCoverSites::showWindow(QWidget* mainWindow, const SiteList& sites)
{
    frmCoverSites* window = openWindow();
    if (!window)
        window = new frmCoverSites(sites, mainWindow);
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    return window;
}

// Found among the application's windows, which Qt keeps, rather than remembered.
frmCoverSites* frmCoverSites::openWindow()
{
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        auto* window = qobject_cast<frmCoverSites*>(widget);
        if (window && !window->m_closed)
            return window;
    }
    return nullptr;
}

bool frmCoverSites::closeWindow()
{
    frmCoverSites* window = openWindow();
    return !window || window->close();
}

void frmCoverSites::ApplyTexts()
{
    setWindowTitle(LangString(1142));
    m_buttons[Close]->setText(LangString(1052));
    m_buttons[Go]->setText(LangString(1068));
    m_buttons[Edit]->setText(LangString(1078));
    m_buttons[Delete]->setText(LangString(1058));
    m_buttons[Add]->setText(LangString(1040));
}

void frmCoverSites::ReadList()
{
    m_list->clear();
    const SiteList::Contents contents = m_sites.read();
    m_readFailed = !contents.readable;
    m_readError->setText(m_readFailed ? LangString(1384) + QLatin1Char('\n') + contents.path
                                      : QString());
    m_readError->setVisible(m_readFailed);
    m_list->addItems(contents.entries);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void frmCoverSites::btnAccion_Click(int index)
{
    switch (index) {
    case Add:
        AddSite();
        break;
    case Delete:
        DeleteSite();
        break;
    case Edit:
        EditSite();
        break;
    case Go:
        GoToSite();
        break;
    case Close:
        close();
        break;
    default:
        break;
    }
}

QListWidgetItem* frmCoverSites::selectedEntry() const
{
    QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

void frmCoverSites::AddSite()
{
    frmEditSite dialog(this);
    dialog.setWindowTitle(LangString(1226));
    platform::ui().execDialog(&dialog);
    if (dialog.DialogResult().isEmpty())
        return;
    m_list->addItem(dialog.DialogResult());
    m_list->setCurrentRow(m_list->count() - 1);
    listChanged();
}

void frmCoverSites::DeleteSite()
{
    QListWidgetItem* item = selectedEntry();
    if (!item)
        return;
    if (platform::ui().messageBox(LangString(1150), platform::applicationTitle(),
                                  platform::MsgButtons::YesNo,
                                  platform::MsgIcon::None) != platform::MsgResult::Yes)
        return;
    const int row = m_list->row(item);
    delete m_list->takeItem(row);
    // The entry that moved into its place is selected, so several can go one after another.
    if (m_list->count() > 0)
        m_list->setCurrentRow(qMin(row, m_list->count() - 1));
    listChanged();
}

void frmCoverSites::EditSite()
{
    QListWidgetItem* item = selectedEntry();
    if (!item)
        return;
    frmEditSite dialog(this);
    dialog.setWindowTitle(LangString(1158));
    dialog.txtSiteName()->setText(TextBefore(item->text(), SiteList::separator()));
    dialog.txtSiteUrl()->setText(TextAfter(item->text(), SiteList::separator()));
    platform::ui().execDialog(&dialog);
    if (dialog.DialogResult().isEmpty())
        return;
    item->setText(dialog.DialogResult());
    listChanged();
}

void frmCoverSites::GoToSite()
{
    const QListWidgetItem* item = selectedEntry();
    if (!item)
        return;
    const QString address = TextAfter(item->text(), SiteList::separator());
    // A line of the file could name a local program; only web addresses leave this window.
    if (!SiteList::isWebAddress(address)) {
        platform::ui().messageBox(LangString(1366) + QStringLiteral("\r\n") + address,
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Exclamation);
        return;
    }
    platform::OpenWithShell(SiteList::shellTarget(address));
}

void frmCoverSites::listChanged()
{
    m_writeFailureShown = false;
    updateButtons();
}

void frmCoverSites::updateButtons()
{
    // Nothing added to a list that will not be kept.
    m_buttons[Add]->setEnabled(!m_readFailed);
    const bool selected = selectedEntry() != nullptr;
    m_buttons[Delete]->setEnabled(selected);
    m_buttons[Edit]->setEnabled(selected);
    m_buttons[Go]->setEnabled(selected);
}

// A list that cannot be written keeps the window open, so the edits are still there to be
// kept once the folder can be written again. Closing again after the message, with the list
// unchanged, gives them up: the window must never be impossible to close.
void frmCoverSites::closeEvent(QCloseEvent* event)
{
    if (m_readFailed) {
        closeNow(event);
        return;
    }
    QStringList entries;
    const int count = m_list->count();
    for (int i = 0; i < count; ++i)
        entries.append(m_list->item(i)->text());
    if (!m_sites.write(entries) && !m_writeFailureShown) {
        m_writeFailureShown = true;
        platform::ui().messageBox(
            LangString(1364) + QStringLiteral("\r\n") + m_sites.userListPath(),
            platform::applicationTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        event->ignore();
        return;
    }
    closeNow(event);
}

void frmCoverSites::closeNow(QCloseEvent* event)
{
    event->accept();
    m_closed = true;
    deleteLater();
}
