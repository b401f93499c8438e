#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// One cover site, asked for when a site is added or edited. A new dialog is made for every
// use, so each starts with an empty name and "Http://"; the caller sets the title.
class frmEditSite : public QDialog
{
    Q_OBJECT

public:
    explicit frmEditSite(QWidget* parent = nullptr);

    void ApplyTexts();

    // "" when the dialog was cancelled (Cancel, Escape, its close box); otherwise the name,
    // " -> " and the address, neither trimmed nor checked.
    QString DialogResult() const { return m_result; }

    QLineEdit* txtSiteName() const { return m_name; }
    QLineEdit* txtSiteUrl() const { return m_url; }
    QLabel* Label1(int index) const { return m_labels[index]; }
    QPushButton* btnAccion(int index) const { return m_buttons[index]; }

    void btnAccion_Click(int index);

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_url = nullptr;
    QLabel* m_labels[2] = {};
    QPushButton* m_buttons[2] = {};
    QString m_result;
};
