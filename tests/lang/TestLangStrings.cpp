#include "TestLang.h"

#include "ByteMutator.h"
#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QTest>

#include <limits>

using lang::LangLoader;
using lang::LangRuntime;
using lang::LoadError;
using platform::MsgResult;
using Answer = lang::LoadHost::Answer;
using namespace langtest;

void TestLang::stringLines_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("expected");

    using L = QList<QByteArray>;
    QTest::newRow("plain") << L{"S1=plain text"} << 1 << "plain text";
    QTest::newRow("any leading character is skipped") << L{"11=a"} << 1 << "a";
    QTest::newRow("a blank as leading character") << L{" 7=a"} << 7 << "a";
    QTest::newRow("a non-ASCII leading character") << L{"\xC3\xA9"
                                                        "7=a"}
                                                   << 7 << "a";
    QTest::newRow("number from the start") << L{"S12abc=x"} << 12 << "x";
    QTest::newRow("the first = splits") << L{"S1=a=b"} << 1 << "a=b";
    QTest::newRow("blanks are kept") << L{"S1=  spaced  "} << 1 << "  spaced  ";
    QTest::newRow("quoted blanks are kept") << L{"S1=\"  two  \""} << 1 << "  two  ";
    QTest::newRow("two quotes are empty") << L{"S1=\"\""} << 1 << "";
    QTest::newRow("one quote is empty") << L{"S1=\""} << 1 << "";
    QTest::newRow("only the trailing quote") << L{"S1=say \"hi\""} << 1 << "say \"hi";
    QTest::newRow("only the leading quote") << L{"S1=\"open"} << 1 << "open";
    QTest::newRow("inner quotes stay") << L{"S1=\"\"x\"\""} << 1 << "\"x\"";
    QTest::newRow("unquoted empty text") << L{"S1="} << 1 << "";
    QTest::newRow("~~ is a line break") << L{"S1=one~~two"} << 1 << "one\r\ntwo";
    QTest::newRow("three tildes") << L{"S1=a~~~b"} << 1 << "a\r\n~b";
    QTest::newRow("four tildes") << L{"S1=a~~~~b"} << 1 << "a\r\n\r\nb";
    QTest::newRow("quoted line break") << L{"S1=\"~~\""} << 1 << "\r\n";
    QTest::newRow("later duplicate wins") << L{"S1=first", "S1=second"} << 1 << "second";
    QTest::newRow("line without = skipped") << L{"S1=kept", "no equals", "S2=next"} << 2 << "next";
    QTest::newRow("empty line skipped") << L{"", "S2=next"} << 2 << "next";
    QTest::newRow("UTF-8 text") << L{"S1=Edici\xC3\xB3n"} << 1 << QStringLiteral("Edici\u00F3n");
    QTest::newRow("Windows-1252 text")
        << L{"S1=Caf\xE9 \x80"} << 1 << QStringLiteral("Caf\u00E9 \u20AC");
}

void TestLang::stringLines()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, slot);
    QFETCH(QString, expected);

    // Base 100, step 2: lines without "=" are skipped, and the table reaches past 100.
    RecordingHost host;
    const LangLoader::Result result = load(oneLanguage(lines, 100, 2), 1, host);
    QVERIFY(host.fatals.isEmpty());
    QVERIFY(host.errors.isEmpty());
    QCOMPARE(result.table.value(slot), expected);
    QVERIFY(result.filled.value(slot));
}

void TestLang::lineWithoutEquals_data()
{
    QTest::addColumn<QList<QByteArray>>("sizing");
    QTest::addColumn<bool>("fatal");

    using L = QList<QByteArray>;
    QTest::newRow("base and step by default") << L{} << true;
    QTest::newRow("base 0 and step 1 given") << L{"StringIndexBase=0", "StringIndexStep=1"} << true;
    QTest::newRow("??? counts as default") << L{"StringIndexBase=???"} << true;
    QTest::newRow("step 2") << L{"StringIndexStep=2"} << false;
    QTest::newRow("base 1") << L{"StringIndexBase=1"} << false;
}

void TestLang::lineWithoutEquals()
{
    QFETCH(QList<QByteArray>, sizing);
    QFETCH(bool, fatal);

    TestDatabase db;
    db.header("NumLanguages=1").header("Language1=A").header("Language1Start=@A@");
    db.header("NumStrings=3");
    for (const QByteArray& line : sizing)
        db.header(line);
    db.section("A", {"S1=a", "no equals", "S2=b"});
    RecordingHost host;
    const LangLoader::Result result = load(db.bytes(), 1, host);
    QVERIFY(host.errors.isEmpty());
    if (fatal) {
        QCOMPARE(host.fatals, QStringList{LangLoader::criticalMessage(m_env->path("db.dbf"))});
        QVERIFY(!result.completed);
    } else {
        QVERIFY(host.fatals.isEmpty());
        QCOMPARE(result.table.value(2), QStringLiteral("b"));
    }
}

void TestLang::shortSectionRunsIntoNext()
{
    const auto build = [](const QByteArray& step) {
        return TestDatabase()
            .header("NumLanguages=2")
            .header("Language1=A")
            .header("Language1Start=@A@")
            .header("Language2=B")
            .header("Language2Start=@B@")
            .header("NumStrings=4")
            .header("StringIndexStep=" + step)
            .section("A", {"S1=a1", "S2=a2"})
            .section("B", {"S2=b2", "S3=b3", "S4=b4", "S5=b5"})
            .bytes();
    };

    // The next section's header is a line without "=", and its first line overwrites.
    RecordingHost host;
    LangLoader::Result result = load(build("2"), 1, host);
    QVERIFY(host.errors.isEmpty());
    QVERIFY(host.fatals.isEmpty());
    QCOMPARE(result.table.value(1), QStringLiteral("a1"));
    QCOMPARE(result.table.value(2), QStringLiteral("b2"));
    QVERIFY(!result.filled.value(3));
    QCOMPARE(result.table.value(3), QString());

    // With base 0 and step 1 that header line is fatal.
    RecordingHost strictHost;
    result = load(build("1"), 1, strictHost);
    QCOMPARE(strictHost.fatals.size(), 1);
    QVERIFY(!result.completed);
}

void TestLang::endOfFileAskedOnce()
{
    QByteArray bytes = TestDatabase::standard({"A", "B"}, 6).bytes();
    bytes.chop(bytes.size() - bytes.indexOf("S1004=B")); // B keeps two of its six lines
    install(bytes);
    LangRuntime::instance().setCurrentLanguage(2);
    m_ui->answerMessage(MsgResult::Ignore);
    QCOMPARE(LangString(1002), QStringLiteral("B 1002"));
    QCOMPARE(LangString(1004), QString());
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(box(m_ui->messages.at(0)), loadErrorBox("Input past end of file(Code62)"));

    // Retry reads again and meets the end again.
    RecordingHost host;
    host.answers.enqueue(Answer::Retry);
    host.answers.enqueue(Answer::Ignore);
    const LangLoader::Result result = load(bytes, 2, host);
    QCOMPARE(host.errors, QList<LoadError>(2, LoadError::InputPastEndOfFile));
    QVERIFY(result.completed);
}

void TestLang::numbersOutsideTable_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<LoadError>>("errors");

    using E = QList<LoadError>;
    QTest::newRow("past the end") << QByteArray("S9999=x") << E{LoadError::SubscriptOutOfRange};
    QTest::newRow("just past the end")
        << QByteArray("S1005=x") << E{LoadError::SubscriptOutOfRange};
    QTest::newRow("negative") << QByteArray("S-2=x") << E{LoadError::SubscriptOutOfRange};
    QTest::newRow("past 32 bits") << QByteArray("S99999999999=x") << E{LoadError::Overflow};
    QTest::newRow("odd number inside") << QByteArray("S1003=x") << E{};
    QTest::newRow("the last slot") << QByteArray("S1004=x") << E{};
    QTest::newRow("slot 0") << QByteArray("S=x") << E{};
}

void TestLang::numbersOutsideTable()
{
    QFETCH(QByteArray, line);
    QFETCH(QList<LoadError>, errors);

    // Base 1000, step 2, two lines: the table ends at 1004.
    RecordingHost host;
    const LangLoader::Result result = load(oneLanguage({line, "S1000=next"}, 1000, 2), 1, host);
    QCOMPARE(host.errors, errors);
    QVERIFY(host.fatals.isEmpty());
    QCOMPARE(result.table.size(), 1005);
    QCOMPARE(result.table.value(1000), QStringLiteral("next")); // Ignore goes on
}

void TestLang::loadErrorAnswers_data()
{
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<bool>("ended");

    using A = QList<MsgResult>;
    QTest::newRow("ignore") << A{MsgResult::Ignore} << false;
    QTest::newRow("retry, ignore") << A{MsgResult::Retry, MsgResult::Ignore} << false;
    QTest::newRow("retry, abort") << A{MsgResult::Retry, MsgResult::Abort} << true;
    QTest::newRow("abort") << A{MsgResult::Abort} << true;
}

void TestLang::loadErrorAnswers()
{
    QFETCH(QList<MsgResult>, answers);
    QFETCH(bool, ended);

    install(oneLanguage({"S1000=before", "S9998=outside", "S1002=after"}, 1000, 2));
    for (MsgResult answer : answers)
        m_ui->answerMessage(answer);
    QCOMPARE(LangString(1000), QStringLiteral("before"));
    QCOMPARE(m_ui->messages.size(), answers.size());
    for (const ScriptedUi::Message& message : std::as_const(m_ui->messages))
        QCOMPARE(box(message), loadErrorBox("Subscript out of range(Code9)"));
    // Abort stops the load where it was; ending the program is left to the caller.
    QCOMPARE(LangRuntime::instance().mustEnd(), ended);
    QVERIFY(m_ui->endProgramCalls.isEmpty());
    QCOMPARE(LangString(1002), ended ? QString() : QStringLiteral("after"));
}

void TestLang::hugeTable_data()
{
    QTest::addColumn<QByteArray>("numStrings");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("step");
    QTest::addColumn<LoadError>("error");

    QTest::newRow("two thousand million slots")
        << QByteArray("2000000000") << QByteArray("0") << QByteArray("2") << LoadError::Overflow;
    QTest::newRow("two thousand million slots, step 1")
        << QByteArray("2000000000") << QByteArray("5") << QByteArray("1") << LoadError::OutOfMemory;
    QTest::newRow("base at the 32-bit edge")
        << QByteArray("1") << QByteArray("2147483647") << QByteArray("1") << LoadError::Overflow;
    QTest::newRow("negative size")
        << QByteArray("-5") << QByteArray("0") << QByteArray("2") << LoadError::SubscriptOutOfRange;
    QTest::newRow("NumStrings past 32 bits")
        << QByteArray("2147483648") << QByteArray("0") << QByteArray("2") << LoadError::Overflow;
}

void TestLang::hugeTable()
{
    QFETCH(QByteArray, numStrings);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, step);
    QFETCH(LoadError, error);

    const QByteArray bytes = TestDatabase()
                                 .header("NumLanguages=1")
                                 .header("Language1=A")
                                 .header("Language1Start=@A@")
                                 .header("NumStrings=" + numStrings)
                                 .header("StringIndexBase=" + base)
                                 .header("StringIndexStep=" + step)
                                 .section("A", {"S0=a"})
                                 .bytes();
    RecordingHost host;
    QElapsedTimer timer;
    timer.start();
    const LangLoader::Result result = load(bytes, 1, host);
    QVERIFY(!host.errors.isEmpty());
    QCOMPARE(host.errors.first(), error);
    QVERIFY(result.table.size() <= 1);
    QVERIFY(host.errors.size() <= 4); // the few lines there are, not a question per slot
    QVERIFY(timer.elapsed() < 2000);
}

void TestLang::hugeTableAbort()
{
    install(TestDatabase()
                .header("NumLanguages=1")
                .header("Language1=A")
                .header("Language1Start=@A@")
                .header("NumStrings=2000000000")
                .section("A", {"S0=a"})
                .bytes());
    m_ui->answerMessage(MsgResult::Abort);
    LangString(0);
    QCOMPARE(m_ui->messages.size(), 1);
    const QString text = m_ui->messages.at(0).text;
    QVERIFY2(text == "Out of memory(Code7)" || text == "Overflow(Code6)", qPrintable(text));
    QVERIFY(LangRuntime::instance().mustEnd());
    QVERIFY(m_ui->busyCalls >= 1);
}

void TestLang::tableBounds()
{
    // Base 1000, step 2, 178 strings: the table ends at 1356, the last line fills 1354.
    install(TestDatabase::standard({"A"}, 178).bytes());
    QCOMPARE(LangString(1354), QStringLiteral("A 1354"));
    QCOMPARE(LangString(1356), QString());
    QCOMPARE(LangString(1355), QString());
    QCOMPARE(LangString(1358), QStringLiteral("Invalid Index"));
    QCOMPARE(LangString(999), QString());
    QCOMPARE(LangString(0), QString());
    QCOMPARE(LangString(-2), QStringLiteral("Invalid Index"));
    QCOMPARE(LangString(std::numeric_limits<int>::max()), QStringLiteral("Invalid Index"));
    QCOMPARE(LangString(std::numeric_limits<int>::min()), QStringLiteral("Invalid Index"));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestLang::loadOnceAndReload()
{
    install(TestDatabase::standard({"A"}, 2).bytes());
    LangRuntime& runtime = LangRuntime::instance();
    QVERIFY(!runtime.isLoaded());
    // The first call loads, whatever it asks for.
    QCOMPARE(LangString(5000), QStringLiteral("Invalid Index"));
    QVERIFY(runtime.isLoaded());
    const int busyAfterFirst = m_ui->busyCalls;
    QVERIFY(busyAfterFirst >= 1);

    // Later calls do not read the file again ...
    install(TestDatabase::standard({"Z"}, 2).bytes());
    QCOMPARE(LangString(1000), QStringLiteral("A 1000"));
    QCOMPARE(m_ui->busyCalls, busyAfterFirst);

    // ... until -1 reloads it.
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(LangString(1000), QStringLiteral("Z 1000"));
    QCOMPARE(m_ui->busyCalls, busyAfterFirst * 2);

    // -1 as the very first call loads once, not twice.
    runtime.reset();
    const int busyBefore = m_ui->busyCalls;
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(m_ui->busyCalls, busyBefore + busyAfterFirst);
    QCOMPARE(LangString(1002), QStringLiteral("Z 1002"));
}

void TestLang::failedReloadKeepsTheLanguageInUse()
{
    LangRuntime& runtime = LangRuntime::instance();
    install(TestDatabase::standard({"A", "B"}, 2).bytes());
    runtime.setCurrentLanguage(1);
    QCOMPARE(LangString(1002), QStringLiteral("A 1002"));

    // B's section now ends with its header: fatal. The strings of A stay for the questions
    // the program asks before it ends.
    QByteArray bytes = TestDatabase::standard({"A", "B"}, 2).bytes();
    bytes.truncate(bytes.indexOf("S1000=B"));
    install(bytes);
    lang::LangRuntime::instance().setCommandLine({QStringLiteral("/L=B")});
    runtime.setCurrentLanguage(-1);
    m_ui->answerMessage(MsgResult::Ok);
    QCOMPARE(LangString(-1), QString());
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(box(m_ui->messages.at(0)), fatalBox(LangLoader::criticalMessage(dbPath())));
    QVERIFY(runtime.mustEnd());
    QCOMPARE(LangString(1002), QStringLiteral("A 1002"));

    // Abort in the load-error dialog counts the same.
    runtime.reset();
    install(TestDatabase::standard({"A", "B"}, 2).bytes());
    runtime.setCurrentLanguage(1);
    QCOMPARE(LangString(1000), QStringLiteral("A 1000"));
    bytes = TestDatabase::standard({"A", "B"}, 2).bytes();
    bytes.replace("S1002=B 1002", "S9000=B 9000");
    install(bytes);
    runtime.setCurrentLanguage(-1);
    m_ui->answerMessage(MsgResult::Abort);
    LangString(-1);
    QCOMPARE(box(m_ui->messages.at(1)), loadErrorBox("Subscript out of range(Code9)"));
    QVERIFY(runtime.mustEnd());
    QCOMPARE(LangString(1000), QStringLiteral("A 1000"));
    QVERIFY(m_ui->endProgramCalls.isEmpty());
}

void TestLang::randomDatabases()
{
    // Whatever the file holds, a load that answers Ignore to everything ends, soon, without
    // a table past the loader's limit and with the hourglass gone.
    ByteMutator mutator(20240611);
    const QByteArray valid = TestDatabase::standard({"Alpha", "Beta", "Gamma"}, 12).bytes();
    const QList<int> currents = {-2, -1, 0, 1, 2, 3, 7};
    const QStringList lines = {QString(), QStringLiteral("/L=Beta"), QStringLiteral("x /l=gamma")};
    const QString path = m_env->path(QStringLiteral("random.dbf"));

    QElapsedTimer total;
    total.start();
    int runs = 0;
    for (; runs < 3000 && total.elapsed() < 30000; ++runs) {
        const QByteArray bytes =
            mutator.bounded(4) == 0 ? mutator.randomBytes() : mutator.mutate(valid);
        m_env->writeFile(QStringLiteral("random.dbf"), bytes);
        RecordingHost host;
        host.line = lines.at(mutator.bounded(lines.size()));
        host.chooserAnswers.enqueue(mutator.bounded(5) - 1);
        const int current = currents.at(mutator.bounded(currents.size()));

        QElapsedTimer one;
        one.start();
        const LangLoader::Result result = LangLoader::load(path, current, host);
        const QByteArray where = "run " + QByteArray::number(runs);
        QVERIFY2(one.elapsed() < 5000, where);
        QVERIFY2(result.table.size() <= LangLoader::MaxTableSlots, where);
        QVERIFY2(result.table.size() == result.filled.size(), where);
        QVERIFY2(host.busyDepth == 0, where);
        QVERIFY2(host.fatals.size() <= 1, where);
        QVERIFY2(!(result.completed && !host.fatals.isEmpty()), where);
        QVERIFY2(host.chooserCalls.size() <= 1, where);
        // One question at most per line of the file, and a few for the header's steps.
        const qsizetype lineCount = bytes.count('\n') + bytes.count('\r') + 1;
        QVERIFY2(host.errors.size() <= lineCount + 8, where);
    }
    QVERIFY(runs >= 300);
}

void TestLang::shippedDatabase()
{
    m_env->installShippedDatabase();
    const QString path = LangRuntime::databasePath();
    RecordingHost probe;
    const QStringList names = LangLoader::load(path, 1, probe).names;
    QVERIFY(names.size() >= 2);

    LangRuntime& runtime = LangRuntime::instance();
    QList<QVector<QString>> tables;
    for (int number = 1; number <= names.size(); ++number) {
        const QByteArray which = names.at(number - 1).toUtf8();
        RecordingHost host;
        const LangLoader::Result result = LangLoader::load(path, number, host);
        QVERIFY2(host.fatals.isEmpty(), which);
        QVERIFY2(host.errors.isEmpty(), which);
        QVERIFY2(host.chooserCalls.isEmpty(), which);
        QVERIFY2(result.completed, which);
        QVERIFY2(result.startPositionHit, which);
        QCOMPARE(result.chosen, number);
        QVERIFY2(result.table.size() > 1356, which);
        tables.append(result.table);

        // The program's own load: no dialog of any kind.
        runtime.reset();
        runtime.setCurrentLanguage(number);
        const QString cancel = LangString(1046);
        QVERIFY2(!cancel.isEmpty() && cancel != QStringLiteral("Invalid Index"), which);
        QCOMPARE(savedLanguage(), QString::number(number));
        QVERIFY(m_ui->messages.isEmpty());
    }
    // Each language is a language of its own, not a copy of the first.
    for (qsizetype i = 1; i < tables.size(); ++i)
        QVERIFY(tables.at(i) != tables.at(0));
}
