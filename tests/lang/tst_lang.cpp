#include "TestLang.h"

#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "TestDatabase.h"

#include <QTest>

using lang::LangLoader;
using lang::LangRuntime;
using lang::LoadError;
using platform::MsgResult;
using Answer = lang::LoadHost::Answer;
using namespace langtest;

namespace langtest {
namespace {

// A message box as one comparable line: title, icon, buttons and text.
QString box(const QString& title, platform::MsgIcon icon, platform::MsgButtons buttons,
            const QString& text)
{
    return QStringLiteral("%1|icon %2|buttons %3|%4")
        .arg(title)
        .arg(int(icon))
        .arg(int(buttons))
        .arg(text);
}

} // namespace

QString box(const ScriptedUi::Message& m)
{
    return box(m.title, m.icon, m.buttons, m.text);
}

QString loadErrorBox(const QString& text)
{
    return box(QStringLiteral("LangString()"), platform::MsgIcon::Exclamation,
               platform::MsgButtons::AbortRetryIgnore, text);
}

QString fatalBox(const QString& text)
{
    return box(QStringLiteral("ORVLA"), platform::MsgIcon::Critical, platform::MsgButtons::Ok,
               text);
}

QString savedLanguage()
{
    return platform::GetSetting(QStringLiteral("ORVLA"), QStringLiteral("Preferences"),
                                QStringLiteral("Language"), QStringLiteral("<none>"));
}

QByteArray oneLanguage(const QList<QByteArray>& lines, int base, int step)
{
    return TestDatabase()
        .header("NumLanguages=1")
        .header("Language1=A")
        .header("Language1Start=@A@")
        .header("NumStrings=" + QByteArray::number(lines.size()))
        .header("StringIndexBase=" + QByteArray::number(base))
        .header("StringIndexStep=" + QByteArray::number(step))
        .section("A", lines)
        .bytes();
}

} // namespace langtest

void TestLang::init()
{
    m_env = std::make_unique<TestEnv>();
    m_ui = std::make_unique<ScriptedUi>();
    LangRuntime::instance().reset();
}

void TestLang::cleanup()
{
    // The hourglass must be gone after every load, whichever way it ended.
    QCOMPARE(m_ui->busyDepth, 0);
    QVERIFY2(m_ui->scriptDone(), "a scripted answer was never asked for");
    LangRuntime::instance().reset();
    LangRuntime::instance().setChooser({});
    m_ui.reset();
    m_env.reset();
}

LangLoader::Result TestLang::load(const QByteArray& bytes, int current, RecordingHost& host)
{
    const QString path = m_env->writeFile(QStringLiteral("db.dbf"), bytes);
    LangLoader::Result result = LangLoader::load(path, current, host);
    if (host.busyDepth != 0)
        QTest::qFail("the busy cursor stayed on", __FILE__, __LINE__);
    return result;
}

void TestLang::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<bool>("fits");

    QTest::newRow("digits then text") << "12abc" << qint64(12) << true;
    QTest::newRow("empty") << "" << qint64(0) << true;
    QTest::newRow("no digits") << "x12" << qint64(0) << true;
    QTest::newRow("blank before") << " 7" << qint64(7) << true;
    QTest::newRow("negative") << "-3x" << qint64(-3) << true;
    QTest::newRow("16-bit edge") << "32767" << qint64(32767) << true;
    QTest::newRow("past 16 bits") << "32768" << qint64(0) << false;
    QTest::newRow("below 16 bits") << "-32769" << qint64(0) << false;
    QTest::newRow("far too long") << "123456789012345678901234567890" << qint64(0) << false;
}

void TestLang::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QFETCH(bool, fits);
    bool ok = !fits;
    QCOMPARE(lang::leadingNumber(text, &ok, -32768, 32767), expected);
    QCOMPARE(ok, fits);
}

void TestLang::headerKeys_data()
{
    QTest::addColumn<QList<QByteArray>>("header");
    QTest::addColumn<bool>("fatal");
    QTest::addColumn<int>("slotCount");

    const QByteArray n1 = "NumLanguages=1";
    const QByteArray l1 = "Language1=A";
    const QByteArray s1 = "Language1Start=@A@";
    const QByteArray ns = "NumStrings=2";
    using L = QList<QByteArray>;

    QTest::newRow("all keys") << L{n1, l1, s1, ns, "StringIndexBase=10", "StringIndexStep=3"}
                              << false << 17;
    QTest::newRow("base 0 and step 1 by default") << L{n1, l1, s1, ns} << false << 3;
    QTest::newRow("??? base counts as missing")
        << L{n1, l1, s1, ns, "StringIndexBase=???", "StringIndexStep=2"} << false << 5;
    QTest::newRow("empty step is 0")
        << L{n1, l1, s1, ns, "StringIndexBase=5", "StringIndexStep="} << false << 6;
    QTest::newRow("numbers from the start of the text")
        << L{n1, l1, s1, "NumStrings=2abc", "StringIndexBase=10 apples", "StringIndexStep=3rd"}
        << false << 17;
    QTest::newRow("names regardless of case")
        << L{"numlanguages=1", "LANGUAGE1=A", "language1start=@A@", "NUMSTRINGS=2"} << false << 3;
    QTest::newRow("blanks and quotes around a value")
        << L{n1, l1, s1, "NumStrings =  \"2\"  ", "StringIndexStep= 4 "} << false << 9;

    QTest::newRow("NumLanguages missing") << L{l1, s1, ns} << true << 0;
    QTest::newRow("NumLanguages ???") << L{"NumLanguages=???", l1, s1, ns} << true << 0;
    QTest::newRow("a name missing")
        << L{"NumLanguages=2", l1, s1, "Language2Start=1", ns} << true << 0;
    QTest::newRow("a name ???") << L{n1, "Language1=???", s1, ns} << true << 0;
    QTest::newRow("a start missing") << L{n1, l1, ns} << true << 0;
    QTest::newRow("a start ???") << L{n1, l1, "Language1Start= ??? ", ns} << true << 0;
    QTest::newRow("NumStrings missing") << L{n1, l1, s1} << true << 0;
    QTest::newRow("NumStrings ???") << L{n1, l1, s1, "NumStrings=\"???\""} << true << 0;
}

void TestLang::headerKeys()
{
    QFETCH(QList<QByteArray>, header);
    QFETCH(bool, fatal);
    QFETCH(int, slotCount);

    TestDatabase db;
    for (const QByteArray& line : header)
        db.header(line);
    db.section("A", {"S0=zero", "S1=one"});
    RecordingHost host;
    const LangLoader::Result result = load(db.bytes(), 1, host);

    QVERIFY(host.errors.isEmpty());
    if (fatal) {
        QCOMPARE(host.fatals, QStringList{LangLoader::criticalMessage(m_env->path("db.dbf"))});
        QVERIFY(!result.completed);
        return;
    }
    QVERIFY(host.fatals.isEmpty());
    QVERIFY(result.completed);
    QCOMPARE(result.table.size(), slotCount);
    QCOMPARE(result.table.value(1), QStringLiteral("one"));
}

void TestLang::fatalMessages()
{
    // No database at all.
    m_ui->answerMessage(MsgResult::Ok);
    LangString(1000);
    QCOMPARE(LangRuntime::databasePath(), dbPath());
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(box(m_ui->messages.at(0)),
             fatalBox("Fatal Error: Language database file " + dbPath() + " not found."));
    // The program must end; that is for the caller, which may ask its questions first.
    QVERIFY(LangRuntime::instance().mustEnd());
    QVERIFY(m_ui->endProgramCalls.isEmpty());
    // No further load is tried, not even by a reload.
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(LangString(1000), QStringLiteral("Invalid Index"));
    QCOMPARE(m_ui->messages.size(), 1);

    // A header without NumStrings: the choice is made and saved before the fault is found.
    LangRuntime::instance().reset();
    install(TestDatabase()
                .header("NumLanguages=1")
                .header("Language1=A")
                .header("Language1Start=@A@")
                .section("A", {"S0=x"})
                .bytes());
    m_ui->answerMessage(MsgResult::Ok);
    LangString(-1);
    QCOMPARE(m_ui->messages.size(), 2);
    QCOMPARE(box(m_ui->messages.at(1)), fatalBox("Fatal Error: Language database file " + dbPath() +
                                                 " is missing critical information."));
    QVERIFY(LangRuntime::instance().mustEnd());
    QCOMPARE(savedLanguage(), QStringLiteral("1"));
}

void TestLang::languageChoice_data()
{
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("chooserAnswer");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("asked");

    using L = QList<QByteArray>;
    const L abc{"A", "B", "C"};
    QTest::newRow("saved number") << abc << "" << 2 << -1 << 2 << false;
    QTest::newRow("switch ignored when saved") << abc << "/L=C" << 1 << -1 << 1 << false;
    QTest::newRow("switch ignored at 0") << abc << "/L=C" << 0 << 1 << 2 << true;
    QTest::newRow("switch counts at -1") << abc << "/L=C" << -1 << -1 << 3 << false;
    QTest::newRow("switch anywhere, any case")
        << L{"English", "Deutsch"} << "x.ovc /l=DEUTSCH y" << -1 << -1 << 2 << false;
    QTest::newRow("substring, later wins")
        << L{"Port", "Portuguese"} << "/L=Portuguese" << -1 << -1 << 2 << false;
    QTest::newRow("substring, later wins (other order)")
        << L{"Portuguese", "Port"} << "/L=Portuguese" << -1 << -1 << 2 << false;
    QTest::newRow("name without switch") << L{"A", "B"} << "B" << -1 << 0 << 1 << true;
    QTest::newRow("one language beats saved") << L{"A"} << "" << 2 << -1 << 1 << false;
    QTest::newRow("one language at -1") << L{"A"} << "/L=Z" << -1 << -1 << 1 << false;
    QTest::newRow("0 asks") << L{"A", "B"} << "" << 0 << 1 << 2 << true;
    QTest::newRow("-1 without switch asks") << L{"A", "B"} << "" << -1 << 0 << 1 << true;
    QTest::newRow("saved above N asks") << L{"A", "B"} << "" << 3 << 0 << 1 << true;
    QTest::newRow("saved below -1 asks") << L{"A", "B"} << "" << -2 << 1 << 2 << true;
}

void TestLang::languageChoice()
{
    QFETCH(QList<QByteArray>, names);
    QFETCH(QString, commandLine);
    QFETCH(int, current);
    QFETCH(int, chooserAnswer);
    QFETCH(int, expected);
    QFETCH(bool, asked);

    RecordingHost host;
    host.line = commandLine;
    host.chooserAnswers.enqueue(chooserAnswer);
    const LangLoader::Result result = load(TestDatabase::standard(names, 2).bytes(), current, host);

    QVERIFY(host.errors.isEmpty());
    QVERIFY(host.fatals.isEmpty());
    QCOMPARE(host.chosen, QList<int>{expected});
    QCOMPARE(result.chosen, expected);
    QCOMPARE(host.chooserCalls.size(), asked ? 1 : 0);
    if (asked) {
        QStringList listed;
        for (const QByteArray& name : names)
            listed.append(QString::fromUtf8(name));
        QCOMPARE(host.chooserCalls.at(0), listed);
        QCOMPARE(host.busyAtChooser.at(0), 0);
        QVERIFY(host.normalCursorCalls >= 1);
    }
    QCOMPARE(result.table.value(1002), TestDatabase::standardText(names.at(expected - 1), 1002));
}

void TestLang::chooserWithoutAnswer()
{
    // The chooser returned without a language: the load-error dialog; Retry asks again.
    install(TestDatabase::standard({"A", "B"}, 2).bytes());
    int asked = 0;
    LangRuntime::instance().setChooser([&](const QStringList&) { return asked++ == 0 ? -1 : 1; });
    m_ui->answerMessage(MsgResult::Retry);
    QCOMPARE(LangString(1000), QStringLiteral("B 1000"));
    QCOMPARE(asked, 2);
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(box(m_ui->messages.at(0)), loadErrorBox("Subscript out of range(Code9)"));
    QCOMPARE(savedLanguage(), QStringLiteral("2"));

    // Abort ends the program before anything is chosen or saved.
    RecordingHost host;
    host.answers.enqueue(Answer::Abort);
    const LangLoader::Result result = load(TestDatabase::standard({"A", "B"}, 2).bytes(), 0, host);
    QVERIFY(!result.completed);
    QVERIFY(host.chosen.isEmpty());
    QCOMPARE(host.busyCalls, 0);
}

void TestLang::choiceSavedToSettings()
{
    install(TestDatabase::standard({"A", "B", "C"}, 3).bytes());
    LangRuntime& runtime = LangRuntime::instance();
    runtime.setCurrentLanguage(3);
    QCOMPARE(LangString(1004), QStringLiteral("C 1004"));
    QCOMPARE(savedLanguage(), QStringLiteral("3"));
    QCOMPARE(runtime.currentLanguage(), 3);
    QVERIFY(m_ui->busyCalls >= 1);

    // The Language command: -1, then a reload that asks.
    QStringList offered;
    runtime.setChooser([&](const QStringList& names) {
        offered = names;
        return 0;
    });
    runtime.setCurrentLanguage(-1);
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(offered, (QStringList{"A", "B", "C"}));
    QCOMPARE(LangString(1004), QStringLiteral("A 1004"));
    QCOMPARE(savedLanguage(), QStringLiteral("1"));
    QCOMPARE(runtime.currentLanguage(), 1);

    // With a switch on the command line the command changes language without asking.
    offered.clear();
    lang::LangRuntime::instance().setCommandLine({QStringLiteral("/L=b")});
    runtime.setCurrentLanguage(-1);
    LangString(-1);
    QVERIFY(offered.isEmpty());
    QCOMPARE(LangString(1004), QStringLiteral("B 1004"));
    QCOMPARE(savedLanguage(), QStringLiteral("2"));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestLang::startPosition_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QList<LoadError>>("errors");
    QTest::addColumn<bool>("hit");

    using E = QList<LoadError>;
    QTest::newRow("exact") << QByteArray("@B@") << E{} << true;
    QTest::newRow("another section") << QByteArray("@A@") << E{} << false;
    QTest::newRow("inside a line") << QByteArray("3") << E{} << false;
    QTest::newRow("beyond the end")
        << QByteArray("999999") << E{LoadError::InputPastEndOfFile} << false;
    QTest::newRow("zero") << QByteArray("0") << E{LoadError::BadRecordNumber} << false;
    QTest::newRow("negative") << QByteArray("-5") << E{LoadError::BadRecordNumber} << false;
}

void TestLang::startPosition()
{
    QFETCH(QByteArray, start);
    QFETCH(QList<LoadError>, errors);
    QFETCH(bool, hit);

    TestDatabase db;
    db.header("NumLanguages=2")
        .header("Language1=A")
        .header("Language1Start=@A@")
        .header("Language2=B")
        .header("Language2Start=" + start)
        .header("NumStrings=2")
        .header("StringIndexBase=1000")
        .header("StringIndexStep=2")
        .section("A", {"S1000=A 1000", "S1002=A 1002"})
        .section("B", {"S1000=B 1000", "S1002=B 1002"});

    RecordingHost host;
    const LangLoader::Result result = load(db.bytes(), 2, host);
    QVERIFY(host.fatals.isEmpty());
    QCOMPARE(host.errors, errors);
    QCOMPARE(result.startPositionHit, hit);
    QVERIFY(result.completed);
    QCOMPARE(result.table.value(1002), QStringLiteral("B 1002"));
}

void TestLang::sectionNotFound_data()
{
    QTest::addColumn<QList<QByteArray>>("tail");
    QTest::addColumn<bool>("lastLineEnds");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<bool>("fatal");

    using L = QList<QByteArray>;
    QTest::newRow("no section") << L{"[C]", "S1000=c"} << true << QByteArray("1") << true;
    QTest::newRow("name differs in case") << L{"[b]", "S1000=b"} << true << QByteArray("1") << true;
    QTest::newRow("header is the last line") << L{"[B]"} << true << QByteArray("1") << true;
    QTest::newRow("header is the last line, no line end")
        << L{"[B]"} << false << QByteArray("1") << true;
    // Found straight away at its start position, it is just as incomplete.
    QTest::newRow("header at its start is the last line")
        << L{"[B]"} << true << QByteArray("@B@") << true;
    QTest::newRow("header at its start is the last line, no line end")
        << L{"[B]"} << false << QByteArray("@B@") << true;
    QTest::newRow("blanks around the header")
        << L{"  [B] ", "S1000=b"} << true << QByteArray("1") << false;
    QTest::newRow("header at its start, one line follows")
        << L{"[B]", "S1000=b"} << false << QByteArray("@B@") << false;
}

void TestLang::sectionNotFound()
{
    QFETCH(QList<QByteArray>, tail);
    QFETCH(bool, lastLineEnds);
    QFETCH(QByteArray, start);
    QFETCH(bool, fatal);

    TestDatabase db;
    db.header("NumLanguages=2")
        .header("Language1=A")
        .header("Language1Start=@A@")
        .header("Language2=B")
        .header("Language2Start=" + start)
        .header("NumStrings=1")
        .header("StringIndexBase=1000")
        .section("A", {"S1000=a"});
    for (const QByteArray& line : tail)
        db.raw(line);
    QByteArray bytes = db.bytes();
    if (!lastLineEnds)
        bytes.chop(2);
    RecordingHost host;
    const LangLoader::Result result = load(bytes, 2, host);
    if (fatal) {
        QCOMPARE(host.fatals, QStringList{LangLoader::criticalMessage(m_env->path("db.dbf"))});
        QVERIFY(!result.completed);
    } else {
        QVERIFY(host.fatals.isEmpty());
        QCOMPARE(result.table.value(1000), QStringLiteral("b"));
    }
    QVERIFY(host.errors.isEmpty());
}

void TestLang::startPositionZeroAsks()
{
    QByteArray bytes = TestDatabase::standard({"A"}, 2).bytes();
    const QByteArray exact =
        "Language1Start=" + QByteArray::number(TestDatabase::startOf(bytes, "A"));
    QVERIFY(bytes.contains(exact));
    bytes.replace(exact, "Language1Start=0");
    install(bytes);
    m_ui->answerMessage(MsgResult::Ignore);
    QCOMPARE(LangString(1002), QStringLiteral("A 1002")); // found by the search
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(box(m_ui->messages.at(0)), loadErrorBox("Bad record number(Code63)"));
    QVERIFY(m_ui->endProgramCalls.isEmpty());
}

QTEST_GUILESS_MAIN(TestLang)
