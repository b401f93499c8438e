#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "ScriptedUi.h"
#include "Settings.h"
#include "TestDatabase.h"
#include "TestEnv.h"
#include "frmLanguage.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using lang::LangRuntime;

namespace {

// Selects a row of a shown chooser (-1: none) and presses OK; returns the dialog's result.
int selectAndConfirm(QDialog* dialog, int row)
{
    auto* chooser = qobject_cast<frmLanguage*>(dialog);
    if (!chooser)
        return -100;
    if (row >= 0)
        chooser->lstLanguages()->setCurrentRow(row);
    chooser->cmdOK()->click();
    return chooser->result();
}

QStringList listed(const frmLanguage& chooser)
{
    QStringList names;
    for (int i = 0; i < chooser.lstLanguages()->count(); ++i)
        names.append(chooser.lstLanguages()->item(i)->text());
    return names;
}

} // namespace

class TestLangChooser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void okWithoutSelectionBeeps();
    void okWithSelectionAccepts();
    void doubleClickAccepts();
    void escapeKeepsTheQuestion();
    void askReturnsTheRow();
    void askWithoutSelection();

    void loadAsksWhenUnknown();
    void loadAsksAgainAfterNoChoice();
    void loadNeverAsksForOneLanguage();
    void switchAnswersTheLanguageCommand();

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;
    void install(const QByteArray& bytes) const
    {
        m_env->writeFile(QStringLiteral("Spoken.DBF"), bytes);
    }
};

void TestLangChooser::init()
{
    m_env = std::make_unique<TestEnv>();
    m_ui = std::make_unique<ScriptedUi>();
    LangRuntime::instance().reset();
    LangRuntime::instance().setChooser(&frmLanguage::ask);
}

void TestLangChooser::cleanup()
{
    QCOMPARE(m_ui->busyDepth, 0);
    QVERIFY2(m_ui->scriptDone(), "a scripted answer was never asked for");
    LangRuntime::instance().reset();
    LangRuntime::instance().setChooser({});
    m_ui.reset();
    m_env.reset();
}

void TestLangChooser::okWithoutSelectionBeeps()
{
    frmLanguage chooser({QStringLiteral("A"), QStringLiteral("B")});
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    // The list may show a current row when it takes the focus; that is no choice.
    QVERIFY(chooser.lstLanguages()->selectedItems().isEmpty());
    QTest::mouseClick(chooser.cmdOK(), Qt::LeftButton);
    QCOMPARE(m_ui->beeps, 1);
    QVERIFY(chooser.isVisible());
    QCOMPARE(chooser.result(), int(QDialog::Rejected));

    // A current row that is not selected is no choice either.
    chooser.lstLanguages()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    chooser.lstLanguages()->clearSelection();
    chooser.cmdOK()->click();
    QCOMPARE(m_ui->beeps, 2);
    QVERIFY(chooser.isVisible());
}

void TestLangChooser::okWithSelectionAccepts()
{
    frmLanguage chooser({QStringLiteral("A"), QStringLiteral("B")});
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(selectAndConfirm(&chooser, 1), int(QDialog::Accepted));
    QVERIFY(!chooser.isVisible());
    QCOMPARE(m_ui->beeps, 0);
}

void TestLangChooser::doubleClickAccepts()
{
    frmLanguage chooser({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QListWidget* list = chooser.lstLanguages();
    const QRect item = list->visualItemRect(list->item(2));
    QVERIFY(item.isValid());
    // Through the window, as the windowing system delivers it: press, release, press and
    // the double click.
    QTest::mouseDClick(chooser.windowHandle(), Qt::LeftButton, {},
                       list->viewport()->mapTo(&chooser, item.center()));
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QVERIFY(!chooser.isVisible());
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(m_ui->beeps, 0);
}

void TestLangChooser::escapeKeepsTheQuestion()
{
    frmLanguage chooser({QStringLiteral("A")});
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QTest::keyClick(&chooser, Qt::Key_Escape);
    QVERIFY(chooser.isVisible());
}

void TestLangChooser::askReturnsTheRow()
{
    const QStringList names = {QStringLiteral("Espanol"), QStringLiteral("English"),
                               QStringLiteral("Deutsch")};
    QStringList shown;
    m_ui->answerDialog([&](QDialog* dialog) {
        shown = listed(*qobject_cast<frmLanguage*>(dialog));
        return selectAndConfirm(dialog, 2);
    });
    QCOMPARE(frmLanguage::ask(names), 2);
    QCOMPARE(shown, names);
    QCOMPARE(m_ui->dialogsShown, 1);
}

void TestLangChooser::askWithoutSelection()
{
    m_ui->answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    QCOMPARE(frmLanguage::ask({QStringLiteral("A"), QStringLiteral("B")}), -1);
}

void TestLangChooser::loadAsksWhenUnknown()
{
    install(TestDatabase::standard({"A", "B", "C"}, 2).bytes());
    QStringList shown;
    m_ui->answerDialog([&](QDialog* dialog) {
        shown = listed(*qobject_cast<frmLanguage*>(dialog));
        return selectAndConfirm(dialog, 1);
    });
    QCOMPARE(LangString(1002), QStringLiteral("B 1002"));
    QCOMPARE(shown, (QStringList{"A", "B", "C"}));
    QCOMPARE(m_ui->dialogsShown, 1);
    QVERIFY(m_ui->normalCursorCalls >= 1);
    QCOMPARE(LangRuntime::instance().currentLanguage(), 2);
    QCOMPARE(platform::GetSetting("ORVLA", "Preferences", "Language"), QStringLiteral("2"));
}

void TestLangChooser::loadAsksAgainAfterNoChoice()
{
    install(TestDatabase::standard({"A", "B"}, 2).bytes());
    m_ui->answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    m_ui->answerMessage(platform::MsgResult::Retry);
    m_ui->answerDialog([](QDialog* dialog) { return selectAndConfirm(dialog, 0); });
    QCOMPARE(LangString(1000), QStringLiteral("A 1000"));
    QCOMPARE(m_ui->dialogsShown, 2);
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.at(0).text, QStringLiteral("Subscript out of range(Code9)"));
}

void TestLangChooser::loadNeverAsksForOneLanguage()
{
    install(TestDatabase::standard({"Solo"}, 2).bytes());
    QCOMPARE(LangString(1000), QStringLiteral("Solo 1000"));
    LangRuntime::instance().setCurrentLanguage(-1); // the Language command
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(m_ui->dialogsShown, 0);
    QCOMPARE(LangRuntime::instance().currentLanguage(), 1);
}

void TestLangChooser::switchAnswersTheLanguageCommand()
{
    install(TestDatabase::standard({"A", "B"}, 2).bytes());
    lang::LangRuntime::instance().setCommandLine({QStringLiteral("/L=B")});
    LangRuntime::instance().setCurrentLanguage(1);
    QCOMPARE(LangString(1000), QStringLiteral("A 1000"));
    LangRuntime::instance().setCurrentLanguage(-1);
    LangString(-1);
    QCOMPARE(LangString(1000), QStringLiteral("B 1000"));
    QCOMPARE(m_ui->dialogsShown, 0);
}

QTEST_MAIN(TestLangChooser)
#include "tst_langchooser.moc"
