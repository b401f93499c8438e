#pragma once

#include <QDialog>

class PrinterCalibrationTab;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The preferences: the external picture editor's path on the first tab, each printer's
// calibration on the second. A new dialog is made for every showing, so each starts from the
// program-wide editor path, the stored calibrations and an empty browse name. OK stores
// nothing until every calibration value typed is usable.
class frmCOnfig : public QDialog
{
    Q_OBJECT

public:
    explicit frmCOnfig(QWidget* parent = nullptr);

    void ApplyTexts();

    QTabWidget* tabConfig() const { return m_tabs; }
    QGroupBox* Frame1() const { return m_frame; }
    QLineEdit* txtEditor() const { return m_editor; }
    QPushButton* btnAccion() const { return m_browse; }
    QPushButton* btnOk() const { return m_ok; }
    QPushButton* btnCancel() const { return m_cancel; }
    PrinterCalibrationTab* tabPrinter() const { return m_printerTab; }

    void btnAccion_Click();
    void btnOk_Click();
    void btnCancel_Click();

    // What Browse accepts: a file the user may run (a link to one counts).
    static bool isProgram(const QString& path);

private:
    QTabWidget* m_tabs = nullptr;
    QGroupBox* m_frame = nullptr;
    QLineEdit* m_editor = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    PrinterCalibrationTab* m_printerTab = nullptr;
    // The browse dialog's file name. The dialog keeps it from one browse to the next, so a
    // cancelled browse still hands back the previous choice.
    QString m_dialogFileName;
};
