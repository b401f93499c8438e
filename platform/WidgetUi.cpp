#include "WidgetUi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>

#include <cstdlib>

namespace platform {
namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MsgResult resultOf(int button, MsgButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Abort:
        return MsgResult::Abort;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    case QMessageBox::Ignore:
        return MsgResult::Ignore;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        break;
    }
    // Escape or the close box: the answer a careful user means by it. A box that offers
    // Abort never gets here (see ButtonsOnly): ending the program takes the Abort button.
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Retry;
    default:
        return MsgResult::Cancel;
    }
}

// Keeps a box open against Escape and the close box, so that only one of its buttons
// answers it. Qt would take either for the box's reject button, which for Abort, Retry and
// Ignore is Abort: a stray key would end the program.
class ButtonsOnly final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

QString caseInsensitivePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString WidgetUi::qtNameFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? filter : filter.left(bar);
    const QString patterns = bar < 0 ? QStringLiteral("*") : filter.mid(bar + 1);
    QStringList converted;
    const QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& p : list)
        converted.append(caseInsensitivePattern(p.trimmed()));
    return description + QStringLiteral(" (") + converted.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString WidgetUi::defaultSuffix(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString first = filter.mid(bar + 1).section(QLatin1Char(';'), 0, 0).trimmed();
    const qsizetype dot = first.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    const QString ext = first.mid(dot + 1);
    if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')))
        return QString();
    return ext.toLower();
}

QWidget* WidgetUi::dialogParent()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    return w;
}

MsgResult WidgetUi::messageBox(const QString& text, const QString& title, MsgButtons buttons,
                               MsgIcon icon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ButtonsOnly buttonsOnly;
    QMessageBox box(messageIcon(icon), title, shown, standardButtons(buttons), dialogParent());
    box.setTextFormat(Qt::PlainText);
    if (buttons == MsgButtons::AbortRetryIgnore)
        box.installEventFilter(&buttonsOnly);
    // A busy cursor left by the work that asks would hide that the box wants an answer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    return resultOf(answer, buttons);
}

QString WidgetUi::fileDialog(const FileDialogRequest& request)
{
    const QStringList chosen = runFileDialog(request);
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

QStringList WidgetUi::fileDialogFiles(const FileDialogRequest& request)
{
    return runFileDialog(request);
}

QStringList WidgetUi::runFileDialog(const FileDialogRequest& request)
{
    using Kind = FileDialogRequest::Kind;
    QFileDialog dialog(dialogParent(), request.title);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    // Replacing an existing file is asked by the program itself, in its own language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const bool save = request.kind == Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    switch (request.kind) {
    case Kind::Folder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    case Kind::OpenFiles:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case Kind::Open:
    case Kind::Save:
        dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile
                                                          : QFileDialog::ExistingFile);
        break;
    }
    if (request.kind != Kind::Folder)
        dialog.setNameFilter(qtNameFilter(request.filter));
    if (save)
        dialog.setDefaultSuffix(defaultSuffix(request.filter));
    // Every file dialog of the program starts where the last one ended, like one shared
    // common dialog would.
    if (m_lastFolder.isEmpty())
        m_lastFolder = QDir::homePath();
    dialog.setDirectory(m_lastFolder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QApplication::restoreOverrideCursor();
    if (!accepted || dialog.selectedFiles().isEmpty())
        return QStringList();
    const QStringList chosen = dialog.selectedFiles();
    m_lastFolder = QFileInfo(chosen.constFirst()).absolutePath();
    return chosen;
}

int WidgetUi::execDialog(QDialog* dialog)
{
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog->exec();
    QApplication::restoreOverrideCursor();
    return result;
}

void WidgetUi::beep()
{
    QApplication::beep();
}

void WidgetUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void WidgetUi::setNormalCursor()
{
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::ArrowCursor);
}

void WidgetUi::endProgram(int exitCode)
{
    std::exit(exitCode);
}

} // namespace platform
