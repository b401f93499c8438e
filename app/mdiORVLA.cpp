#include "mdiORVLA.h"

#include "AppInfo.h"
#include "CoverSetDropArea.h"
#include "CoverSetFile.h"
#include "FaceChange.h"
#include "FaceClipboard.h"
#include "FaceView.h"
#include "ImageArea.h"
#include "LangLoader.h"
#include "LangRuntime.h"
#include "Preferences.h"
#include "TextPanel.h"
#include "WindowMenu.h"

#include <QPlainTextEdit>
#include "ProgramFolder.h"
#include "RecentSetsMenu.h"
#include "Settings.h"
#include "Shell.h"
#include "ShellCommands.h"
#include "ShellPreferences.h"
#include "Twips.h"
#include "Ui.h"
#include "clsCover.h"
#include "RoundLabelAction.h"
#include "frmMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolBar>

#include <limits>

namespace {

using Handler = void (mdiORVLA::*)();

// What each menu item runs; its toolbar button and pop-up entry are the same action.
const std::pair<const char*, Handler> kHandlers[] = {
    {"mnuNew", &mdiORVLA::mnuNew_Click},
    {"mnuOpen", &mdiORVLA::mnuOpen_Click},
    {"mnuSave", &mdiORVLA::mnuSave_Click},
    {"mnuSaveAs", &mdiORVLA::mnuSaveAs_Click},
    {"mnuPrint", &mdiORVLA::mnuPrint_Click},
    {"mnuPrintPreview", &mdiORVLA::mnuPrintPreview_Click},
    {"mnuPreferences", &mdiORVLA::mnuPreferences_Click},
    {"mnuLanguage", &mdiORVLA::mnuLanguage_Click},
    {"mnuExit", &mdiORVLA::mnuExit_Click},
    {"mnuUndo", &mdiORVLA::mnuUndo_Click},
    {"mnuRedo", &mdiORVLA::mnuRedo_Click},
    {"mnuCopyClip", &mdiORVLA::mnuCopyClip_Click},
    {"mnuPasteClip", &mdiORVLA::mnuPasteClip_Click},
    {"mnuInsertPicture", &mdiORVLA::mnuInsertPicture_Click},
    {"mnuDeletePicture", &mdiORVLA::mnuDeletePicture_Click},
    {"mnuInsertObject", &mdiORVLA::mnuInsertObject_Click},
    {"mnuText", &mdiORVLA::mnuText_Click},
    {"mnuLargerView", &mdiORVLA::mnuLargerView_Click},
    {"mnuCascade", &mdiORVLA::mnuCascade_Click},
    {"mnuArrangeIcons", &mdiORVLA::mnuArrangeIcons_Click},
    {"mnuHelpContents", &mdiORVLA::mnuHelpContents_Click},
    {"mnuCovers", &mdiORVLA::mnuCovers_Click},
    {"mnuORVLASite", &mdiORVLA::mnuORVLASite_Click},
    {"mnuAbout", &mdiORVLA::mnuAbout_Click},
};

// The commands that need an open cover set.
const char* const kDocumentCommands[] = {"mnuSave",         "mnuSaveAs",       "mnuPrint",
                                         "mnuPrintPreview", "mnuInsertObject", "mnuDeletePicture",
                                         "mnuInsertPicture", "mnuLargerView"};

const QString kPreferences = QStringLiteral("Preferences");
const QString kWindow = QStringLiteral("Window");
const QString kGeometry = QStringLiteral("Geometry");
constexpr int kRegistrationDelayMs = 500;

// The saved language number; 0 when none is saved or it is no 16-bit number.
int savedLanguage()
{
    const QString text = platform::GetSetting(platform::applicationTitle(), kPreferences,
                                              QStringLiteral("Language"), QStringLiteral("2"));
    bool ok = false;
    const qint64 number = lang::leadingNumber(text, &ok, std::numeric_limits<qint16>::min(),
                                              std::numeric_limits<qint16>::max());
    return ok ? int(number) : 0;
}

} // namespace

mdiORVLA::mdiORVLA(const QStringList& arguments, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("mdiORVLA"));
    setWindowTitle(platform::productName() + QLatin1Char(' '));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvella.svg")));

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setBackground(QApplication::palette().brush(QPalette::Dark));
    setCentralWidget(m_mdi);
    auto* drops = new CoverSetDropArea(m_mdi->viewport());
    connect(drops, &CoverSetDropArea::coverSetDropped, this, &mdiORVLA::openCoverSet);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &mdiORVLA::documentActivated);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &mdiORVLA::updateCommandStates);

    m_commands = new CommandActions(this);
    connectCommands();
    createStatusBar();
    createUndo();
    m_textPanel = new TextPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, m_textPanel);
    m_textPanel->hide();
    m_roundLabel = new RoundLabelAction(menuItem(QStringLiteral("mnuRoundLabel")), this);
    m_recent = new RecentSetsMenu(menu(QStringLiteral("mnuFile")),
                                  menuItem(QStringLiteral("mnuExit")), this);
    connect(m_recent, &RecentSetsMenu::chosen, this, &mdiORVLA::openRecentSet);

    // Room for a whole cover window and the frame around it; never smaller than the
    // window's classic client area.
    setMinimumSize(platform::twipsSize(7200, 5715));
    resize(760, 640);
    // The window comes back where it was left (Qt keeps it on a screen that still exists).
    const QString geometry = platform::GetSetting(platform::applicationTitle(), kWindow, kGeometry);
    if (!geometry.isEmpty())
        restoreGeometry(QByteArray::fromBase64(geometry.toLatin1()));

    Load(arguments);
}

mdiORVLA::~mdiORVLA()
{
    // The document area outlives this part of the window while it closes its documents.
    disconnect(m_mdi, nullptr, this, nullptr);
}

void mdiORVLA::connectCommands()
{
    for (const auto& [name, handler] : kHandlers)
        connect(menuItem(QLatin1String(name)), &QAction::triggered, this, handler);
    // The Window menu also lists the open document windows.
    m_windowMenu = new WindowMenu(menu(QStringLiteral("mnuWindow")), m_mdi, this);
}

void mdiORVLA::dispatchToolbarKey(const QString& key)
{
    const QString item = CommandActions::itemOfKey(key);
    for (const auto& [name, handler] : kHandlers) {
        if (!item.isEmpty() && item == QLatin1String(name)) {
            (this->*handler)();
            return;
        }
    }
}

void mdiORVLA::ApplyTexts()
{
    m_commands->applyTexts();
    m_textPanel->applyTexts();
    // Qt's own texts follow the language of the menus.
    m_qtTranslations.follow(lang::LangRuntime::instance().languageName());
}

void mdiORVLA::updateCommandStates()
{
    const CoverSet* set = ActiveCover ? &ActiveCover->set() : nullptr;
    for (const char* name : kDocumentCommands)
        menuItem(QLatin1String(name))->setEnabled(set != nullptr);
    const bool shown = set && set->face(set->position()).hasPicture();
    menuItem(QStringLiteral("mnuCopyClip"))->setEnabled(shown);
    menuItem(QStringLiteral("mnuPasteClip"))->setEnabled(set && FaceClipboard::offersPicture());
}

void mdiORVLA::showPopup(const QPoint& globalPos)
{
    editMenu()->popup(globalPos);
}

void mdiORVLA::createUndo()
{
    QAction* undo = menuItem(QStringLiteral("mnuUndo"));
    QAction* redo = menuItem(QStringLiteral("mnuRedo"));
    connect(&m_undoGroup, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_undoGroup, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
}

void mdiORVLA::createStatusBar()
{
    m_barEstado = new QLabel(this);
    m_barEstado->setObjectName(QStringLiteral("barEstado"));
    m_barEstado->setTextFormat(Qt::PlainText);
    statusBar()->setObjectName(QStringLiteral("barEstadoBar"));
    statusBar()->addWidget(m_barEstado, 1);
}

// Start-up: everything that happens before the window first shows.
void mdiORVLA::Load(const QStringList& arguments)
{
    m_firstActivation = true;
    const QString path = platform::commandLinePath(arguments);
    if (!path.isEmpty()) {
        // A file opened from the desktop speaks the saved language; the chooser asks only
        // when no language was ever saved.
        if (platform::HasSetting(platform::applicationTitle(), kPreferences,
                                 QStringLiteral("Language")))
            lang::LangRuntime::instance().setCurrentLanguage(savedLanguage());
        // The set's window is the first to need a text, so the database loads here. A path
        // that names no file opens an empty window captioned with it.
        openCoverSet(path);
        if (endIfLanguageFailed())
            return;
    }
    // The desktop learns of the file type once the window is up: nothing the first window
    // does not need is done before it shows.
    QTimer::singleShot(kRegistrationDelayMs, this, &mdiORVLA::registerFileType);
}

void mdiORVLA::registerFileType()
{
    // Quick and silent: it writes only what changed and never waits for the desktop's tools.
    ::registerCoverSetFileType();
}

std::shared_ptr<clsCover> mdiORVLA::makeCoverSet()
{
    std::shared_ptr<clsCover> cover = clsCover::create(m_mdi);
    CoverSet& set = cover->set();
    connect(&set, &CoverSet::faceChanged, this, &mdiORVLA::updateCommandStates);
    connect(&set, &CoverSet::positionChanged, this, &mdiORVLA::updateCommandStates);
    connect(&set, &CoverSet::fileUsed, this, &mdiORVLA::coverSetUsed);
    return cover;
}

void mdiORVLA::openCoverSet(const QString& path)
{
    ActiveCover = makeCoverSet();
    ActiveCover->setFileCover(path);
    ActiveCover->LoadCover();
}

// A document window became the active one, or none is: when the main window loses the
// focus the active set stays; when the last window has closed, its set and history go.
void mdiORVLA::documentActivated(QMdiSubWindow* window)
{
    frmMenu* next = window ? qobject_cast<frmMenu*>(window->widget()) : nullptr;
    if (next && next->Cover()) {
        ActiveCover = next->Cover();
        connect(next, &frmMenu::popupRequested, this, &mdiORVLA::showPopup, Qt::UniqueConnection);
        connect(next, &frmMenu::statusChanged, this, &mdiORVLA::ShowStatus, Qt::UniqueConnection);
    } else if (m_mdi->subWindowList().isEmpty()) {
        ActiveCover.reset();
    }
    // Undo and Redo act on the active window's set.
    QUndoStack* stack = ActiveCover ? &ActiveCover->set().undoStack() : nullptr;
    if (stack && !m_undoGroup.stacks().contains(stack))
        m_undoGroup.addStack(stack);
    m_undoGroup.setActiveStack(stack);
    m_textPanel->setCoverSet(ActiveCover ? &ActiveCover->set() : nullptr);
    m_roundLabel->setCoverSet(ActiveCover ? &ActiveCover->set() : nullptr);
    updateCommandStates();
}

void mdiORVLA::mnuText_Click()
{
    m_textPanel->show();
    m_textPanel->raise();
    m_textPanel->textField()->setFocus();
}

void mdiORVLA::mnuLargerView_Click()
{
    if (!ActiveCover || !ActiveCover->frmCover())
        return;
    auto* view = new FaceView(&ActiveCover->set(), ActiveCover->set().position(),
                              ActiveCover->frmCover());
    view->show();
}

bool mdiORVLA::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        firstActivationOnce();
    return QMainWindow::event(event);
}

void mdiORVLA::showEvent(QShowEvent* event)
{
    // A window shown without focus (focus-stealing prevention, a virtual display) must not
    // wait for a click to show its menus.
    firstActivationOnce();
    QMainWindow::showEvent(event);
}

void mdiORVLA::firstActivationOnce()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    lang::LangRuntime::instance().setCurrentLanguage(savedLanguage());
    ApplyTexts();
    endIfLanguageFailed();
}

void mdiORVLA::closeEvent(QCloseEvent* event)
{
    // The cover-sites window writes its list as it closes; a list that could not be written
    // keeps the program open once, so the user can see the message and try again.
    if (!closeDocuments() || !closeCoverSites()) {
        event->ignore();
        return;
    }
    platform::SaveSetting(platform::applicationTitle(), kWindow, kGeometry,
                          QString::fromLatin1(saveGeometry().toBase64()));
    event->accept();
}

bool mdiORVLA::endIfLanguageFailed()
{
    if (!lang::LangRuntime::instance().mustEnd())
        return false;
    offerChangedSetsForSaving();
    // The cover-sites window keeps its edits too, as it does when the program is left.
    closeCoverSites();
    // Screen copies may still be decoding on other threads; ending under them would tear
    // down what they use. What has not started is dropped, what runs is waited for.
    QThreadPool::globalInstance()->clear();
    QThreadPool::globalInstance()->waitForDone();
    platform::ui().endProgram(1);
    return true;
}

// The questions speak the language in use before the failed load: the runtime kept it.
void mdiORVLA::offerChangedSetsForSaving()
{
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    for (QMdiSubWindow* window : windows) {
        auto* document = qobject_cast<frmMenu*>(window->widget());
        const std::shared_ptr<clsCover> cover = document ? document->Cover() : nullptr;
        if (!cover)
            continue;
        if (cover->NeedSave())
            m_mdi->setActiveSubWindow(window); // the user sees which set is meant
        // A save that was cancelled or failed is offered again; No gives the set up.
        while (cover->NeedSave() &&
               platform::ui().messageBox(LangString(1272), platform::applicationTitle(),
                                         platform::MsgButtons::YesNo,
                                         platform::MsgIcon::Question) == platform::MsgResult::Yes)
            cover->SaveCover(1);
    }
}

bool mdiORVLA::closeDocuments()
{
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (!window->close())
            return false;
    }
    return true;
}

void mdiORVLA::ShowStatus(const QString& text)
{
    m_barEstado->setText(text);
    // Shown at once: the work that reports it keeps the event loop busy.
    m_barEstado->repaint();
}

QString mdiORVLA::statusText() const
{
    return m_barEstado->text();
}

void mdiORVLA::OpenWithShell(const QString& target)
{
    platform::OpenWithShell(target);
}

void mdiORVLA::mnuNew_Click()
{
    ActiveCover = makeCoverSet();
    ActiveCover->NewCover();
}

void mdiORVLA::coverSetUsed(const QString& path)
{
    m_recent->add(path);
}

void mdiORVLA::openRecentSet(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        platform::ui().messageBox(LangString(1476).arg(QDir::toNativeSeparators(path)),
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Exclamation);
        m_recent->remove(path);
        return;
    }
    openCoverSet(path);
}

void mdiORVLA::mnuOpen_Click()
{
    const std::shared_ptr<clsCover> previous = ActiveCover;
    ActiveCover = makeCoverSet();
    ActiveCover->LoadCover();
    if (!ActiveCover->frmCover())
        ActiveCover = previous; // cancelled: nothing opened
}

void mdiORVLA::mnuSave_Click()
{
    if (ActiveCover)
        ActiveCover->SaveCover(1);
}

void mdiORVLA::mnuSaveAs_Click()
{
    if (ActiveCover)
        ActiveCover->SaveCover(2);
}

// The print selection writes its choice into the set that is active when it opens and
// when it closes; nothing prints when none is by then.
void mdiORVLA::mnuPrint_Click()
{
    if (ActiveCover)
        ActiveCover->PrintCover([this] { return ActiveCover ? &ActiveCover->set() : nullptr; });
}

void mdiORVLA::mnuPrintPreview_Click()
{
    if (ActiveCover)
        ActiveCover->PreviewCover([this] { return ActiveCover ? &ActiveCover->set() : nullptr; });
}

void mdiORVLA::mnuPreferences_Click()
{
    showPreferences(this);
}

void mdiORVLA::mnuLanguage_Click()
{
    lang::LangRuntime::instance().setCurrentLanguage(-1);
    LangString(-1);
    if (endIfLanguageFailed())
        return;
    ApplyTexts();
}

// Undo and Redo change a face of the active set. The window shows that face, so the change
// is seen even when another tab was open, and the commands that depend on its picture
// follow.
void mdiORVLA::mnuUndo_Click()
{
    QUndoStack* stack = m_undoGroup.activeStack();
    if (!stack || !stack->canUndo())
        return;
    showChangedFace(stack->command(stack->index() - 1));
    stack->undo();
}

void mdiORVLA::mnuRedo_Click()
{
    QUndoStack* stack = m_undoGroup.activeStack();
    if (!stack || !stack->canRedo())
        return;
    showChangedFace(stack->command(stack->index()));
    stack->redo();
}

void mdiORVLA::showChangedFace(const QUndoCommand* command)
{
    const auto* change = dynamic_cast<const FaceChange*>(command);
    if (change && ActiveCover)
        ActiveCover->setPosition(qint16(change->face()));
}

void mdiORVLA::mnuCopyClip_Click()
{
    if (ActiveCover)
        FaceClipboard::copy(ActiveCover->set());
}

void mdiORVLA::mnuPasteClip_Click()
{
    if (ActiveCover)
        FaceClipboard::paste(*ActiveCover);
}

// Exit closes the window the normal way, so every changed cover set is offered for saving.
void mdiORVLA::mnuExit_Click()
{
    close();
}

void mdiORVLA::mnuInsertPicture_Click()
{
    if (ActiveCover)
        ActiveCover->InsertPicture();
}

void mdiORVLA::mnuDeletePicture_Click()
{
    if (ActiveCover)
        ActiveCover->DeletePicture();
}

void mdiORVLA::mnuInsertObject_Click()
{
    if (!ActiveCover)
        return;
    if (platform::editorPath().isEmpty() && !desktopMayOpenFaceFile())
        return;
    ActiveCover->EditarObjeto();
}

// The desktop's opener gets the current face's file only when it is a picture. A face with
// no picture, or a picture with no file, is left to EditarObjeto, which says so or does
// nothing; the file is found and named as EditarObjeto will hand it on.
bool mdiORVLA::desktopMayOpenFaceFile() const
{
    const int face = ActiveCover->Position();
    const frmMenu* window = ActiveCover->frmCover();
    const QString file = ActiveCover->filePicture(face);
    if (!window || !isFaceIndex(face) || file.isEmpty() || !window->imageArea(face)->hasPicture())
        return true;
    const QString location = resolvePicturePath(ActiveCover->FileCover(), file);
    return mayHandToDesktop(QFileInfo(location).absoluteFilePath());
}

void mdiORVLA::mnuCascade_Click()
{
    m_windowMenu->cascade();
}

void mdiORVLA::mnuArrangeIcons_Click()
{
    m_windowMenu->arrangeIcons();
}

void mdiORVLA::mnuHelpContents_Click()
{
    showHelpContents(this, m_programFolder);
}

void mdiORVLA::mnuCovers_Click()
{
    showCoverSites(this, m_programFolder);
}

void mdiORVLA::mnuORVLASite_Click()
{
    showProductSite(this, platform::productWebAddress(), m_programFolder);
}

void mdiORVLA::mnuAbout_Click()
{
    showAbout(this);
}
