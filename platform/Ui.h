#pragma once

#include <QString>
#include <QStringList>

class QDialog;

namespace platform {

enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// One file dialog. The filter is the program's own "description|pattern;pattern" text;
// its patterns match regardless of letter case. OpenFiles takes one or more existing files
// (Ui::fileDialogFiles); Folder takes an existing folder and has no filter.
struct FileDialogRequest
{
    enum class Kind { Open, Save, OpenFiles, Folder };
    Kind kind = Kind::Open;
    QString title;
    QString filter;
    QString fileName;          // preset file name (may be a full path)
    bool fileMustExist = false; // open: only an existing file can be chosen
};

// Everything the program shows modally goes through here, so that a test can answer
// questions and drive dialogs that a real user would click. The program's own
// implementation shows the real thing.
class Ui
{
public:
    virtual ~Ui() = default;

    // Texts may hold CR LF line breaks (the language database's "~~").
    virtual MsgResult messageBox(const QString& text, const QString& title, MsgButtons buttons,
                                 MsgIcon icon) = 0;
    // The chosen path, or "" when the user cancelled. A save dialog's typed name without an
    // extension gets the filter's first extension in lower case.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    // The files chosen in a dialog that takes several, in the order the dialog gives them;
    // empty when the user cancelled. By default the one file fileDialog gives.
    virtual QStringList fileDialogFiles(const FileDialogRequest& request);
    // Shows one of the program's own dialogs modally; returns QDialog::exec()'s result.
    virtual int execDialog(QDialog* dialog) = 0;
    virtual void beep() = 0;
    // Busy cursor, nested: every setBusy(true) is undone by one setBusy(false).
    virtual void setBusy(bool busy) = 0;
    // The normal arrow while a question is asked inside busy work (the language chooser).
    virtual void setNormalCursor() = 0;
    // Ends the program at once (a fatal fault). Callers return right after it, so a test's
    // implementation may simply record the call.
    virtual void endProgram(int exitCode) = 0;
};

// The implementation in use. Until one is installed, a widget-free default answers every
// question with its first button, cancels file dialogs and ends the program on request.
Ui& ui();
// Installs an implementation (not owned); nullptr goes back to the default.
void setUi(Ui* implementation);

// Shows the busy cursor for the lifetime of the object, on every way out of a scope.
class BusyCursor
{
public:
    BusyCursor() { ui().setBusy(true); }
    ~BusyCursor() { ui().setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace platform
