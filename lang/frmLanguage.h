#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// Asks which language the program speaks, when the language database cannot settle it.
// Its texts are fixed: it speaks before any language is known.
class frmLanguage : public QDialog
{
    Q_OBJECT

public:
    explicit frmLanguage(const QStringList& names, QWidget* parent = nullptr);

    // Shows the chooser modally (through the UI seam) and returns the chosen list position,
    // or -1.
    static int ask(const QStringList& names);

    QListWidget* lstLanguages() const { return m_list; }
    QPushButton* cmdOK() const { return m_ok; }

    void cmdOK_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_prompt = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
    QLabel* m_credit = nullptr;
};
