#pragma once

#include "Ui.h"

#include <QString>

class QWidget;

namespace platform {

// The real thing: Qt message boxes, file dialogs and cursors.
class WidgetUi final : public Ui
{
public:
    MsgResult messageBox(const QString& text, const QString& title, MsgButtons buttons,
                         MsgIcon icon) override;
    QString fileDialog(const FileDialogRequest& request) override;
    QStringList fileDialogFiles(const FileDialogRequest& request) override;
    int execDialog(QDialog* dialog) override;
    void beep() override;
    void setBusy(bool busy) override;
    void setNormalCursor() override;
    void endProgram(int exitCode) override;

    // "desc|*.a;*.b" -> a Qt name filter whose patterns match regardless of letter case.
    static QString qtNameFilter(const QString& filter);
    // The first pattern's extension in lower case ("*.OVC" -> "ovc"), or "".
    static QString defaultSuffix(const QString& filter);

private:
    static QWidget* dialogParent();
    QStringList runFileDialog(const FileDialogRequest& request);

    QString m_lastFolder; // where the next file dialog starts
};

} // namespace platform
