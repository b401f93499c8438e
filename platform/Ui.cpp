#include "Ui.h"

#include <QCoreApplication>

#include <cstdlib>

namespace platform {
namespace {

// Used before the program installs its widget implementation, and by command-line tools.
class HeadlessUi final : public Ui
{
public:
    MsgResult messageBox(const QString& text, const QString& title, MsgButtons buttons,
                         MsgIcon) override
    {
        qWarning("%s: %s", qPrintable(title), qPrintable(text));
        switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel:
            return MsgResult::Ok;
        case MsgButtons::AbortRetryIgnore:
            return MsgResult::Abort;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo:
            return MsgResult::Yes;
        case MsgButtons::RetryCancel:
            return MsgResult::Cancel;
        }
        return MsgResult::Ok;
    }
    QString fileDialog(const FileDialogRequest&) override { return QString(); }
    int execDialog(QDialog*) override { return 0; }
    void beep() override {}
    void setBusy(bool) override {}
    void setNormalCursor() override {}
    void endProgram(int exitCode) override { std::exit(exitCode); }
};

HeadlessUi g_headless;
Ui* g_ui = nullptr;

} // namespace

QStringList Ui::fileDialogFiles(const FileDialogRequest& request)
{
    const QString path = fileDialog(request);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

Ui& ui()
{
    return g_ui ? *g_ui : static_cast<Ui&>(g_headless);
}

void setUi(Ui* implementation)
{
    g_ui = implementation;
}

} // namespace platform
