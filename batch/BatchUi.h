#pragma once

#include "Ui.h"

#include <QStringList>

// The batch tool has no one to ask: every question gets the answer that stops the work
// (Abort, Cancel, No), and every message is kept to be written on stderr instead of shown.
class BatchUi final : public platform::Ui
{
public:
    BatchUi();           // installs itself
    ~BatchUi() override; // and goes away again

    BatchUi(const BatchUi&) = delete;
    BatchUi& operator=(const BatchUi&) = delete;

    // The texts of the messages that would have been shown, oldest first; taking them
    // empties the list.
    QStringList takeMessages();

    platform::MsgResult messageBox(const QString& text, const QString& title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    QString fileDialog(const platform::FileDialogRequest& request) override;
    int execDialog(QDialog* dialog) override;
    void beep() override {}
    void setBusy(bool) override {}
    void setNormalCursor() override {}
    void endProgram(int exitCode) override;

private:
    QStringList m_messages;
};
