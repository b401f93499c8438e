#include "ScriptedUi.h"

#include <QTest>

ScriptedUi::ScriptedUi()
{
    platform::setUi(this);
}

ScriptedUi::~ScriptedUi()
{
    platform::setUi(nullptr);
}

void ScriptedUi::answerMessage(platform::MsgResult answer)
{
    m_messageAnswers.enqueue(answer);
}

void ScriptedUi::answerFile(const QString& path)
{
    m_fileAnswers.enqueue(path);
}

void ScriptedUi::answerFiles(const QStringList& paths)
{
    m_fileAnswers.enqueue(paths.join(QLatin1Char('\n')));
}

void ScriptedUi::answerDialog(DialogScript script)
{
    m_dialogScripts.enqueue(std::move(script));
}

platform::MsgResult ScriptedUi::messageBox(const QString& text, const QString& title,
                                           platform::MsgButtons buttons, platform::MsgIcon icon)
{
    messages.append({text, title, buttons, icon});
    if (m_messageAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + title +
                                QStringLiteral(": ") + text),
                     __FILE__, __LINE__);
        return platform::MsgResult::Cancel;
    }
    return m_messageAnswers.dequeue();
}

QString ScriptedUi::fileDialog(const platform::FileDialogRequest& request)
{
    fileRequests.append(request);
    if (m_fileAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected file dialog: ") + request.title),
                     __FILE__, __LINE__);
        return QString();
    }
    return m_fileAnswers.dequeue();
}

QStringList ScriptedUi::fileDialogFiles(const platform::FileDialogRequest& request)
{
    const QString answer = fileDialog(request);
    return answer.isEmpty() ? QStringList() : answer.split(QLatin1Char('\n'));
}

int ScriptedUi::execDialog(QDialog* dialog)
{
    ++dialogsShown;
    if (m_dialogScripts.isEmpty()) {
        QTest::qFail("unexpected modal dialog", __FILE__, __LINE__);
        return 0;
    }
    return m_dialogScripts.dequeue()(dialog);
}

void ScriptedUi::setBusy(bool busy)
{
    if (busy) {
        ++busyDepth;
        ++busyCalls;
    } else {
        --busyDepth;
    }
}
