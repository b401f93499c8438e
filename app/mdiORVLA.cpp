#include "mdiORVLA.h"

#include "AppInfo.h"
#include "clsCover.h"
#include "frmMenu.h"
#include "LangLoader.h"
#include "LangRuntime.h"
#include "Preferences.h"
#include "ProgramFolder.h"
#include "RecentSetsMenu.h"
#include "Settings.h"
#include "ShellCommands.h"
#include "ShellPreferences.h"
#include "CoverSetFile.h"
#include "FaceChange.h"
#include "ImageArea.h"
#include "Shell.h"
#include "Twips.h"
#include "Ui.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QThreadPool>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <limits>

namespace {

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

mdiORVLA::mdiORVLA(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mdiORVLA"));
    setWindowTitle(platform::productName() + QLatin1Char(' '));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvella.svg")));

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setBackground(QApplication::palette().brush(QPalette::Dark));
    setCentralWidget(m_mdi);
    m_mdi->viewport()->setAcceptDrops(true);
    m_mdi->viewport()->installEventFilter(this);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &mdiORVLA::documentActivated);

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createUndo();
    m_recent = new RecentSetsMenu(menu(QStringLiteral("mnuFile")),
                                  menuItem(QStringLiteral("mnuExit")), this);
    connect(m_recent, &RecentSetsMenu::chosen, this, &mdiORVLA::openRecentSet);

    // Room for a whole cover window and the frame around it; never smaller than the
    // window's classic client area.
    setMinimumSize(platform::twipsSize(7200, 5715));
    resize(760, 640);
    // The window comes back where it was left (Qt keeps it on a screen that still exists).
    const QString geometry =
        platform::GetSetting(platform::applicationTitle(), kWindow, kGeometry);
    if (!geometry.isEmpty())
        restoreGeometry(QByteArray::fromBase64(geometry.toLatin1()));

    Load();
}

mdiORVLA::~mdiORVLA()
{
    // The document area outlives this part of the window while it closes its documents.
    disconnect(m_mdi, nullptr, this, nullptr);
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
void mdiORVLA::Load()
{
    m_firstActivation = true;
    ActiveCover = clsCover::create(this);
    const QString path = platform::commandLinePath();
    if (!path.isEmpty()) {
        // A file opened from the desktop speaks the saved language; the chooser asks only
        // when no language was ever saved.
        if (platform::HasSetting(platform::applicationTitle(), kPreferences,
                                 QStringLiteral("Language")))
            lang::LangRuntime::instance().setCurrentLanguage(savedLanguage());
        // The set's window is the first to need a text, so the database loads here.
        openStartupCoverSet(path);
        if (endIfLanguageFailed())
            return;
    }
    // The desktop learns of the file type once the window is up: nothing the first window
    // does not need is done before it shows.
    QTimer::singleShot(kRegistrationDelayMs, this, &mdiORVLA::registerFileType);
}

// A path that names no file opens an empty window captioned with it.
void mdiORVLA::openStartupCoverSet(const QString& path)
{
    ActiveCover->setFileCover(path);
    ActiveCover->LoadCover();
}

void mdiORVLA::registerFileType()
{
    // Quick and silent: it writes only what changed and never waits for the desktop's tools.
    ::registerCoverSetFileType();
}

// A document window became the active one (or none is): the one before loses the focus,
// the new one is activated.
void mdiORVLA::documentActivated(QMdiSubWindow* window)
{
    frmMenu* next = window ? qobject_cast<frmMenu*>(window->widget()) : nullptr;
    if (m_activeDocument && m_activeDocument != next)
        m_activeDocument->LostFocus();
    m_activeDocument = next;
    // The last window closed: its set and history go with it. (A main window that merely
    // lost the focus has its windows still, and keeps the active one.)
    if (!next && m_mdi->subWindowList().isEmpty())
        ActiveCover.reset();
    // Undo and Redo act on the active window's set.
    QUndoStack* stack = next && next->Cover() ? &next->Cover()->set().undoStack() : nullptr;
    if (stack && !m_undoGroup.stacks().contains(stack))
        m_undoGroup.addStack(stack);
    m_undoGroup.setActiveStack(stack);
    if (next)
        next->Activate();
}

bool mdiORVLA::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        firstActivationOnce();
        // Back from a dialog or another program: the document window that was active has
        // the focus again.
        if (m_activeDocument)
            m_activeDocument->GotFocus();
    }
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
    platform::setEditorPath(platform::GetSetting(platform::applicationTitle(), kPreferences,
                                                 QStringLiteral("Editor"), QString()));
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
    ActiveCover = clsCover::create(this);
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
    ActiveCover = clsCover::create(this);
    ActiveCover->setFileCover(path);
    ActiveCover->LoadCover();
}

void mdiORVLA::mnuOpen_Click()
{
    const std::shared_ptr<clsCover> previous = ActiveCover;
    ActiveCover = clsCover::create(this);
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

void mdiORVLA::mnuPrint_Click()
{
    if (ActiveCover)
        ActiveCover->PrintCover();
}

void mdiORVLA::mnuPrintPreview_Click()
{
    if (ActiveCover)
        ActiveCover->PreviewCover();
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
    if (m_activeDocument)
        UpdateCommands(m_activeDocument, true);
}

void mdiORVLA::mnuRedo_Click()
{
    QUndoStack* stack = m_undoGroup.activeStack();
    if (!stack || !stack->canRedo())
        return;
    showChangedFace(stack->command(stack->index()));
    stack->redo();
    if (m_activeDocument)
        UpdateCommands(m_activeDocument, true);
}

void mdiORVLA::showChangedFace(const QUndoCommand* command)
{
    const auto* change = dynamic_cast<const FaceChange*>(command);
    if (change && m_activeDocument)
        m_activeDocument->SSTab1()->setCurrentIndex(change->face());
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
    m_mdi->cascadeSubWindows();
}

// Lines the minimised document windows up along the bottom edge.
void mdiORVLA::mnuArrangeIcons_Click()
{
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > m_mdi->viewport()->width())
            x = 0;
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

void mdiORVLA::mnuHelpContents_Click()
{
    showHelpContents(this);
}

void mdiORVLA::mnuCovers_Click()
{
    showCoverSites(this);
}

void mdiORVLA::mnuORVLASite_Click()
{
    showProductSite(this, platform::productWebAddress());
}

void mdiORVLA::mnuAbout_Click()
{
    showAbout(this);
}
