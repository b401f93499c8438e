#include "BatchUi.h"

#include <utility>

BatchUi::BatchUi()
{
    platform::setUi(this);
}

BatchUi::~BatchUi()
{
    platform::setUi(nullptr);
}

QStringList BatchUi::takeMessages()
{
    return std::exchange(m_messages, {});
}

platform::MsgResult BatchUi::messageBox(const QString& text, const QString&,
                                        platform::MsgButtons buttons, platform::MsgIcon)
{
    m_messages.append(text);
    switch (buttons) {
    case platform::MsgButtons::Ok:
        return platform::MsgResult::Ok;
    case platform::MsgButtons::AbortRetryIgnore:
        return platform::MsgResult::Abort;
    case platform::MsgButtons::YesNo:
        return platform::MsgResult::No;
    case platform::MsgButtons::OkCancel:
    case platform::MsgButtons::YesNoCancel:
    case platform::MsgButtons::RetryCancel:
        break;
    }
    return platform::MsgResult::Cancel;
}

QString BatchUi::fileDialog(const platform::FileDialogRequest&)
{
    return QString();
}

int BatchUi::execDialog(QDialog*)
{
    return 0; // QDialog::Rejected, without including a widget header
}

void BatchUi::endProgram(int)
{
    // The tool ends on its own terms, with its own exit code, once it has said why.
}
