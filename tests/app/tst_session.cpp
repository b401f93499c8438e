// What the program keeps for the user from one start to the next and across a change of
// language: the recent cover sets, the window's place, and Qt's own texts in the chosen
// language.
#include "CoverTestSupport.h"
#include "LanguageLocale.h"
#include "RecentSetsMenu.h"
#include "Settings.h"
#include "WidgetUi.h"
#include "frmLanguage.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using platform::MsgResult;

namespace {

QStringList objectNames(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* action : actions)
        names << action->objectName();
    return names;
}

struct ShownButtons
{
    QStringList messageBox;
    QStringList fileDialog;
};

// A real Yes/No/Cancel question and a real Open dialog, as the program shows them.
ShownButtons realDialogButtons()
{
    platform::WidgetUi real;
    ShownButtons shown;
    auto texts = std::make_shared<QStringList>();
    const auto collect = [texts] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        texts->clear();
        const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
        for (const QPushButton* button : buttons) {
            if (button->isVisible())
                texts->append(button->text().remove(QLatin1Char('&')));
        }
        static_cast<QDialog*>(modal)->reject();
    };
    QTimer::singleShot(0, collect);
    real.messageBox(QStringLiteral("?"), QStringLiteral("t"), platform::MsgButtons::YesNoCancel,
                    platform::MsgIcon::Question);
    shown.messageBox = *texts;
    QTimer::singleShot(0, collect);
    platform::FileDialogRequest request;
    request.title = QStringLiteral("t");
    request.filter = QStringLiteral("Cover sets|*.ovc");
    real.fileDialog(request);
    shown.fileDialog = *texts;
    return shown;
}

ScriptedUi::DialogScript chooseRow(int row)
{
    return [row](QDialog* dialog) {
        dialog->findChild<QListWidget*>(QStringLiteral("lstLanguages"))->setCurrentRow(row);
        dialog->accept();
        return int(QDialog::Accepted);
    };
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recentSetsAreListedAboveExitAndKeptAcrossStarts()
    {
        QString first;
        QString second;
        {
            CoverFixture f;
            first = f.env.path(QStringLiteral("first.ovc"));
            second = f.env.path(QStringLiteral("second & more.ovc"));
            f.window->mnuNew_Click();
            f.ui.answerFile(first);
            f.window->mnuSaveAs_Click();
            f.window->mnuNew_Click();
            f.ui.answerFile(second);
            f.window->mnuSaveAs_Click();
            // Opening one moves it to the top.
            f.ui.answerFile(first);
            f.window->mnuOpen_Click();
            QCOMPARE(f.window->recentSets()->paths(), QStringList({first, second}));

            const QList<QAction*> entries = f.window->recentSets()->entries();
            QCOMPARE(entries.size(), 2);
            QVERIFY(entries.at(0)->text().startsWith(QStringLiteral("&1 ")));
            QVERIFY(entries.at(1)->text().contains(QStringLiteral("second && more.ovc")));
            const QStringList file =
                objectNames(f.window->menu(QStringLiteral("mnuFile"))->actions());
            QCOMPARE(file.mid(file.indexOf(QStringLiteral("mnuSepara0103"))),
                     QStringList({"mnuSepara0103", "mnuRecent1", "mnuRecent2", "", "mnuExit"}));

            // A new window, as after a restart, reads the same store.
            f.window.reset();
            f.window = std::make_unique<mdiORVLA>();
            f.window->show();
            QCOMPARE(f.window->recentSets()->paths(), QStringList({first, second}));
            f.window->recentSets()->entries().at(1)->trigger();
            QCOMPARE(f.window->activeCover()->FileCover(), second);
            QCOMPARE(f.window->recentSets()->paths(), QStringList({second, first}));

            // One that is gone is named and taken off; nothing opens.
            QVERIFY(QFile::remove(first));
            const int windows = f.documents().size();
            f.ui.answerMessage(MsgResult::Ok);
            f.window->recentSets()->entries().at(1)->trigger();
            QCOMPARE(f.ui.messages.size(), 1);
            QCOMPARE(f.ui.messages.last().text,
                     LangString(1476).arg(QDir::toNativeSeparators(first)));
            QCOMPARE(f.documents().size(), windows);
            QCOMPARE(f.window->recentSets()->paths(), QStringList({second}));
            QCOMPARE(f.window->recentSets()->entries().size(), 1);
        }
    }

    void theWindowComesBackWhereItWasLeft()
    {
        CoverFixture f;
        const QRect left(QPoint(40, 30), QSize(900, 700));
        f.window->setGeometry(left);
        QTest::qWait(1);
        const QRect shown = f.window->geometry();
        QVERIFY(f.window->close());
        f.window = std::make_unique<mdiORVLA>();
        f.window->show();
        QCOMPARE(f.window->geometry(), shown);
        QCOMPARE(f.window->size(), left.size());
    }

    // The desktop learns of the file type after the window is up, not before it shows.
    void theFileTypeIsRegisteredOnceTheWindowIsUp()
    {
        CoverFixture f;
        const QString entry =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/applications/orvella.desktop");
        QVERIFY(entry.startsWith(f.env.folder()));
        QVERIFY(!QFileInfo::exists(entry));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(entry), 5000);
    }

    // Message-box buttons and the file dialog speak the language chosen in the program and
    // change with the Language command; a language Qt has no texts for gets Qt's English.
    void qtTextsFollowTheChosenLanguage()
    {
        CoverFixture f;
        lang::LangRuntime::instance().setChooser(&frmLanguage::ask);
        f.ui.answerDialog(chooseRow(0)); // Espanol
        f.window->mnuLanguage_Click();
        QCOMPARE(f.window->qtTranslations().code(), QStringLiteral("es"));
        ShownButtons shown = realDialogButtons();
        QVERIFY2(shown.messageBox.contains(QStringLiteral("Sí")), qPrintable(shown.messageBox.join(u',')));
        QVERIFY(shown.messageBox.contains(QStringLiteral("No")));
        QVERIFY(shown.messageBox.contains(QStringLiteral("Cancelar")));
        QVERIFY2(shown.fileDialog.contains(QStringLiteral("Cancelar")),
                 qPrintable(shown.fileDialog.join(u',')));

        f.ui.answerDialog(chooseRow(3)); // Deutsch
        f.window->mnuLanguage_Click();
        shown = realDialogButtons();
        QVERIFY2(shown.messageBox.contains(QStringLiteral("Ja")), qPrintable(shown.messageBox.join(u',')));
        QVERIFY(shown.messageBox.contains(QStringLiteral("Nein")));
        QVERIFY(shown.messageBox.contains(QStringLiteral("Abbrechen")));
        QVERIFY(shown.fileDialog.contains(QStringLiteral("Abbrechen")));

        f.ui.answerDialog(chooseRow(1)); // English
        f.window->mnuLanguage_Click();
        QVERIFY(f.window->qtTranslations().code().isEmpty());
        QVERIFY(realDialogButtons().messageBox.contains(QStringLiteral("Yes")));

        QtTranslations own;
        QCOMPARE(own.follow(QStringLiteral("Francais")), QStringLiteral("fr"));
        QCOMPARE(own.follow(QStringLiteral("Klingon")), QString());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }

    // Translators name their sections freely: English or own names, with or without accents.
    void languageNamesAreMatchedToLanguages()
    {
        QCOMPARE(lang::languageCode(QStringLiteral("Espanol")), QStringLiteral("es"));
        QCOMPARE(lang::languageCode(QStringLiteral("Français")), QStringLiteral("fr"));
        QCOMPARE(lang::languageCode(QStringLiteral("DEUTSCH")), QStringLiteral("de"));
        QCOMPARE(lang::languageCode(QStringLiteral("English")), QStringLiteral("en"));
        QCOMPARE(lang::languageCode(QStringLiteral("Italian")), QStringLiteral("it"));
        QCOMPARE(lang::languageCode(QStringLiteral("Nederlands")), QStringLiteral("nl"));
        QCOMPARE(lang::languageCode(QStringLiteral("Portugues")), QStringLiteral("pt"));
        QCOMPARE(lang::languageCode(QStringLiteral("Klingon")), QString());
        QCOMPARE(lang::languageCode(QString()), QString());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
