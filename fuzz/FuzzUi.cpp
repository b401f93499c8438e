#include "FuzzUi.h"

void FuzzUi::start(unsigned retryMask)
{
    m_retryMask = retryMask;
    m_questions = 0;
    m_endProgramCalls = 0;
    m_busyDepth = 0;
    m_lastWasRetry = false;
}

platform::MsgResult FuzzUi::messageBox(const QString&, const QString&, platform::MsgButtons buttons,
                                       platform::MsgIcon)
{
    const int question = m_questions++;
    switch (buttons) {
    case platform::MsgButtons::AbortRetryIgnore: {
        if (question >= MaxQuestions)
            return platform::MsgResult::Abort;
        const bool retry =
            question < 32 && ((m_retryMask >> question) & 1u) != 0 && !m_lastWasRetry;
        m_lastWasRetry = retry;
        return retry ? platform::MsgResult::Retry : platform::MsgResult::Ignore;
    }
    case platform::MsgButtons::Ok:
    case platform::MsgButtons::OkCancel:
        return platform::MsgResult::Ok;
    case platform::MsgButtons::YesNoCancel:
    case platform::MsgButtons::YesNo:
        return platform::MsgResult::Yes;
    case platform::MsgButtons::RetryCancel:
        return platform::MsgResult::Cancel;
    }
    return platform::MsgResult::Ok;
}
