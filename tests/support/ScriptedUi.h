#pragma once

#include "Ui.h"

#include <QList>
#include <QQueue>
#include <QThreadPool>
#include <QString>

#include <functional>

// Answers the program's questions from a script the test writes beforehand, and records
// every question it was asked. A question the script did not expect fails the test.
class ScriptedUi final : public platform::Ui
{
public:
    struct Message
    {
        QString text;
        QString title;
        platform::MsgButtons buttons;
        platform::MsgIcon icon;
    };
    using DialogScript = std::function<int(QDialog*)>;

    ScriptedUi();  // installs itself
    ~ScriptedUi() override; // and goes away again

    // The next questions' answers, in order.
    void answerMessage(platform::MsgResult answer);
    void answerFile(const QString& path); // "" cancels
    void answerFiles(const QStringList& paths); // for a dialog that takes several
    void answerDialog(DialogScript script);

    bool scriptDone() const
    {
        return m_messageAnswers.isEmpty() && m_fileAnswers.isEmpty() && m_dialogScripts.isEmpty();
    }

    QList<Message> messages;
    QList<platform::FileDialogRequest> fileRequests;
    int dialogsShown = 0;
    int beeps = 0;
    int busyDepth = 0;     // busy now (nesting depth)
    int busyCalls = 0;     // how often busy was switched on
    int normalCursorCalls = 0;
    QList<int> endProgramCalls;
    int workInFlightAtEnd = 0; // tasks of the global thread pool when the program ended

    platform::MsgResult messageBox(const QString& text, const QString& title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    QString fileDialog(const platform::FileDialogRequest& request) override;
    QStringList fileDialogFiles(const platform::FileDialogRequest& request) override;
    int execDialog(QDialog* dialog) override;
    void beep() override { ++beeps; }
    void setBusy(bool busy) override;
    void setNormalCursor() override { ++normalCursorCalls; }
    void endProgram(int exitCode) override
    {
        endProgramCalls.append(exitCode);
        workInFlightAtEnd = QThreadPool::globalInstance()->activeThreadCount();
    }

private:
    QQueue<platform::MsgResult> m_messageAnswers;
    QQueue<QString> m_fileAnswers;
    QQueue<DialogScript> m_dialogScripts;
};
