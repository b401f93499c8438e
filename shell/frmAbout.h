#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's name, version and licence, and a way to the system's own information
// program.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    void ApplyTexts();

    QLabel* lblTitle() const { return m_title; }
    QLabel* lblVersion() const { return m_version; }
    QLabel* lblDescription() const { return m_description; }
    QLabel* Label1() const { return m_licence; }
    QLabel* lblDisclaimer() const { return m_disclaimer; }
    QLabel* picIcon() const { return m_icon; }
    QPushButton* cmdOK() const { return m_ok; }
    QPushButton* cmdSysInfo() const { return m_sysInfo; }

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    QLabel* m_icon = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_licence = nullptr;
    QLabel* m_disclaimer = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_sysInfo = nullptr;
};
