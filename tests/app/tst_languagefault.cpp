// A language database that fails to load while the program runs, or as it starts: the
// program ends, but not before every changed cover set has been offered for saving.
#include "LangLoader.h"
#include "LangRuntime.h"
#include "PrivateProfile.h"
#include "ProgramFolder.h"
#include "ScriptedUi.h"
#include "TestDatabase.h"
#include "LangTestEnv.h"
#include "clsCover.h"
#include "frmLanguage.h"
#include "frmMenu.h"
#include "mdiORVLA.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <memory>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

// One language whose section header is the file's last line.
QByteArray headerOnly()
{
    return TestDatabase()
        .header("NumLanguages=1")
        .header("Language1=Zed")
        .header("Language1Start=@Zed@")
        .header("NumStrings=2")
        .raw("[Zed]")
        .bytes();
}

// One language with its own texts for the save question and the cover-set dialog, and a
// line whose number lies outside the table.
QByteArray loadErrorAfterOwnTexts()
{
    return TestDatabase()
        .header("NumLanguages=1")
        .header("Language1=Zed")
        .header("Language1Start=@Zed@")
        .header("NumStrings=3")
        .header("StringIndexBase=1270")
        .header("StringIndexStep=10")
        .section("Zed", {"S1272=Zed question", "S1290=Zed title", "S9999=outside"})
        .bytes();
}

} // namespace

class TestLanguageFault : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<LangTestEnv>();
        lang::LangRuntime::instance().setChooser(&frmLanguage::ask);
    }

    void cleanup() { m_env.reset(); } // the runtime goes back to its start state with it

    void languageCommandFaultOffersChangedSetsInTheLanguageInUse()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show(); // English, as a first start speaks
        const QString question = LangString(1272);
        const QString dialogTitle = LangString(1290);
        window.mnuNew_Click();
        const std::shared_ptr<clsCover> changed = window.activeCover();
        changed->setNeedSave(true);
        window.mnuNew_Click(); // unchanged: not asked about
        window.mnuNew_Click();
        const std::shared_ptr<clsCover> givenUp = window.activeCover();
        givenUp->setNeedSave(true);

        m_env->writeFile(QStringLiteral("Spoken.DBF"), headerOnly());
        const QString saved = m_env->path(QStringLiteral("kept.ovc"));
        ui.answerMessage(MsgResult::Ok);  // the fatal message
        ui.answerMessage(MsgResult::Yes); // first changed set: save it
        ui.answerFile(saved);
        ui.answerMessage(MsgResult::No);  // second: give it up
        window.mnuLanguage_Click();

        QVERIFY(ui.scriptDone());
        QCOMPARE(ui.messages.size(), 3);
        QCOMPARE(ui.messages.at(0).text, lang::LangLoader::criticalMessage(
                                             lang::LangRuntime::databasePath()));
        for (int i : {1, 2}) {
            QCOMPARE(ui.messages.at(i).text, question);
            QCOMPARE(ui.messages.at(i).buttons, MsgButtons::YesNo);
            QCOMPARE(ui.messages.at(i).icon, MsgIcon::Question);
        }
        QCOMPARE(ui.fileRequests.size(), 1);
        QCOMPARE(ui.fileRequests.at(0).title, dialogTitle);
        QVERIFY(QFile::exists(saved));
        QVERIFY(!changed->NeedSave());
        QCOMPARE(changed->FileCover(), saved);
        QVERIFY(givenUp->NeedSave());
        QCOMPARE(ui.endProgramCalls, QList<int>{1});
        // The menus were not touched by the failed load.
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));
    }

    void abortOffersChangedSetsAgainUntilSavedOrGivenUp()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        const QString question = LangString(1272);
        window.mnuNew_Click();
        window.activeCover()->setNeedSave(true);

        m_env->writeFile(QStringLiteral("Spoken.DBF"), loadErrorAfterOwnTexts());
        const QString saved = m_env->path(QStringLiteral("second try.ovc"));
        ui.answerMessage(MsgResult::Abort);
        ui.answerMessage(MsgResult::Yes);
        ui.answerFile(QString()); // the save dialog cancelled: asked again
        ui.answerMessage(MsgResult::Yes);
        ui.answerFile(saved);
        window.mnuLanguage_Click();

        QVERIFY(ui.scriptDone());
        QCOMPARE(ui.messages.size(), 3);
        QCOMPARE(ui.messages.at(0).buttons, MsgButtons::AbortRetryIgnore);
        QCOMPARE(ui.messages.at(1).text, question); // not the new database's text
        QCOMPARE(ui.messages.at(2).text, question);
        QVERIFY(QFile::exists(saved));
        QCOMPARE(ui.endProgramCalls, QList<int>{1});
    }

    void faultAtTheFirstLoadOfAStartWithASetEnds()
    {
        // The set named on the command line is the first to need a text.
        m_env->writeFile(QStringLiteral("Spoken.DBF"), headerOnly());
        const QString set = m_env->path(QStringLiteral("start.ovc"));
        QVERIFY(platform::WritePrivateProfileString(QStringLiteral("Files"),
                                                    QStringLiteral("ImgFront"), QString(), set));
        ScriptedUi ui;
        ui.answerMessage(MsgResult::Ok);
        mdiORVLA window({set});
        QVERIFY(ui.scriptDone());
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.endProgramCalls, QList<int>{1});
    }

    void faultAtTheFirstActivationEnds()
    {
        m_env->writeFile(QStringLiteral("Spoken.DBF"), headerOnly());
        ScriptedUi ui;
        ui.answerMessage(MsgResult::Ok);
        mdiORVLA window;
        QVERIFY(ui.endProgramCalls.isEmpty());
        // A picture still decoding on another thread when the program must end.
        QAtomicInt decoded = 0;
        QThreadPool::globalInstance()->start([&decoded] {
            QThread::msleep(300);
            decoded = 1;
        });
        window.show();
        QVERIFY(ui.scriptDone());
        QCOMPARE(ui.endProgramCalls, QList<int>{1});
        QCOMPARE(ui.workInFlightAtEnd, 0);
        QCOMPARE(decoded.loadRelaxed(), 1);
    }

private:
    std::unique_ptr<LangTestEnv> m_env;
};

QTEST_MAIN(TestLanguageFault)
#include "tst_languagefault.moc"
