#include "HelpWindow.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "LanguageLocale.h"
#include "ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& programFolder, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("frmHelp"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    // Addresses outside the help (the product's site) belong in the user's browser.
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(14);

    auto* tools = new QToolBar(this);
    tools->setIconSize(QSize(20, 20));
    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    QAction* contents = tools->addAction(
        QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon)),
        QString());
    // The buttons show pictures only; their names are for the tool tips and screen readers.
    const std::pair<QAction*, int> names[] = {{back, 1478}, {forward, 1480}, {contents, 1482}};
    for (const auto& [action, text] : names) {
        action->setText(LangString(text));
        action->setToolTip(LangString(text));
    }
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &HelpWindow::showContentsPage);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_browser, 1);
    resize(780, 600);
}

QString HelpWindow::englishContentsPath() const
{
    return platform::programFile(m_programFolder, contentsFileName());
}

QString HelpWindow::contentsPath() const
{
    const QString code = lang::languageCode(lang::LangRuntime::instance().languageName());
    if (code.isEmpty() || code == QLatin1String("en"))
        return englishContentsPath();
    const QString translated =
        platform::programFile(m_programFolder, code + QLatin1Char('/') + contentsFileName());
    return QFileInfo(translated).isFile() ? translated : englishContentsPath();
}

HelpWindow* HelpWindow::showContents(QWidget* mainWindow, const QString& programFolder)
{
    HelpWindow* window = openWindow();
    if (!window)
        window = new HelpWindow(programFolder, mainWindow);
    window->showContentsPage();
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    return window;
}

// Found among the application's windows, which Qt keeps, rather than remembered.
HelpWindow* HelpWindow::openWindow()
{
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        if (auto* window = qobject_cast<HelpWindow*>(widget))
            return window;
    }
    return nullptr;
}

bool HelpWindow::showContentsPage()
{
    const QString path = contentsPath();
    if (QFileInfo(path).isFile()) {
        const QUrl page = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        if (m_browser->source() == page)
            m_browser->reload();
        else
            m_browser->setSource(page);
        updateTitle();
        return true;
    }
    m_browser->clearHistory();
    m_browser->setHtml(QStringLiteral("<p>") + LangString(1374).toHtmlEscaped() +
                       QStringLiteral("<br><b>") + path.toHtmlEscaped() +
                       QStringLiteral("</b></p>"));
    setWindowTitle(platform::productName());
    return false;
}

void HelpWindow::updateTitle()
{
    const QString page = m_browser->documentTitle();
    setWindowTitle(page.isEmpty() ? platform::productName() : page);
}
