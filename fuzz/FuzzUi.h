#pragma once

#include "Ui.h"

// Answers the program's questions without anyone there, and never forever: a load-error
// dialog gets Retry where the input asks for it (each at most once in a row) or Ignore,
// and Abort once too many questions were asked, so a load that fails on every line still
// ends. Every other question gets its first button; dialogs are cancelled.
class FuzzUi final : public platform::Ui
{
public:
    static constexpr int MaxQuestions = 64;

    // retryMask: bit i asks for Retry at the i-th load-error question.
    void start(unsigned retryMask);
    int questions() const { return m_questions; }
    int endProgramCalls() const { return m_endProgramCalls; }
    int busyDepth() const { return m_busyDepth; }

    platform::MsgResult messageBox(const QString& text, const QString& title,
                                   platform::MsgButtons buttons, platform::MsgIcon icon) override;
    QString fileDialog(const platform::FileDialogRequest&) override { return QString(); }
    int execDialog(QDialog*) override { return 0; }
    void beep() override {}
    void setBusy(bool busy) override { m_busyDepth += busy ? 1 : -1; }
    void setNormalCursor() override {}
    void endProgram(int) override { ++m_endProgramCalls; }

private:
    unsigned m_retryMask = 0;
    int m_questions = 0;
    int m_endProgramCalls = 0;
    int m_busyDepth = 0;
    bool m_lastWasRetry = false;
};
