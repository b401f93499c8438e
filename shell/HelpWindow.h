#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: the HTML pages shipped in the program's folder (handed in), shown in a
// window of their own beside the main window. The contents page is the first page.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString& programFolder, QWidget* mainWindow = nullptr);

    // The contents page's file name, after the help file the program has always named.
    static QString contentsFileName() { return QStringLiteral("Orvla.html"); }
    // The contents page in the language in use: the pages of a language other than English
    // sit in a folder named by its code ("fr/Orvla.html"). A language without its pages gets
    // the English ones at the top of the help, without a word: the reader still gets help.
    QString contentsPath() const;
    // The English contents page, and the path a message names when there is no help at all.
    QString englishContentsPath() const;

    // The one help window, made when needed, brought forward on the contents page of the
    // language in use at that moment.
    static HelpWindow* showContents(QWidget* mainWindow, const QString& programFolder);
    static HelpWindow* openWindow();

    // Goes to the contents page, or says in the window that the help cannot be found.
    // False when it cannot.
    bool showContentsPage();

    QTextBrowser* browser() const { return m_browser; }

private:
    void updateTitle();

    QString m_programFolder;
    QTextBrowser* m_browser = nullptr;
};
