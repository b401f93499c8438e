#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(ORVELLA_LANG_TOOL), args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished(5000);
        run.err = QStringLiteral("<the tool did not finish>");
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The value of a header line "key=value".
QByteArray headerValue(const QByteArray& bytes, const QByteArray& key)
{
    const qsizetype begin = bytes.indexOf("\n" + key + '=');
    if (begin < 0)
        return QByteArray();
    const qsizetype valueBegin = begin + key.size() + 2;
    return bytes.mid(valueBegin, bytes.indexOf('\r', valueBegin) - valueBegin);
}

void setHeaderValue(QByteArray& bytes, const QByteArray& key, const QByteArray& value)
{
    const QByteArray old = key + '=' + headerValue(bytes, key) + "\r\n";
    bytes.replace(bytes.indexOf(old), old.size(), key + '=' + value + "\r\n");
}

// Replaces the text of string number in the section that begins at sectionStart.
void setText(QByteArray& bytes, qint64 sectionStart, int number, const QByteArray& text)
{
    const QByteArray key = QByteArray::number(number) + '=';
    const qsizetype begin = bytes.indexOf(key, sectionStart - 1) + key.size();
    bytes.replace(begin, bytes.indexOf('\r', begin) - begin, text);
}

} // namespace

class TestLangTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void usage_data();
    void usage();
    void checkShippedDatabase();
    void checkNamesEachFault();
    void checkFatal();
    void everyFaultTheProgramShowsFails();
    void fixOffsetsRepairs();
    void fixOffsetsAcrossDigits();
    void dump_data();
    void dump();
    void dumpUnknownLanguage();
    void dumpFaults();

private:
    QTemporaryDir m_dir;
    QString m_shippedCopy;
    QByteArray m_shipped;
};

void TestLangTool::init()
{
    QVERIFY(m_dir.isValid());
    m_shipped = readBytes(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/Spoken.DBF"));
    QVERIFY(!m_shipped.isEmpty());
    m_shippedCopy = m_dir.filePath(QStringLiteral("Spoken.DBF"));
    QVERIFY(writeBytes(m_shippedCopy, m_shipped));
}

void TestLangTool::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"frobnicate", "x"};
    QTest::newRow("check without file") << QStringList{"check"};
    QTest::newRow("dump without language") << QStringList{"dump", "x"};
    QTest::newRow("too many") << QStringList{"fix-offsets", "a", "b"};
}

void TestLangTool::usage()
{
    QFETCH(QStringList, args);
    const Run run = runTool(args);
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains(QStringLiteral("Usage")));
    QVERIFY(run.out.isEmpty());
}

void TestLangTool::checkShippedDatabase()
{
    const Run run = runTool({QStringLiteral("check"), m_shippedCopy});
    QCOMPARE(run.status, 0);
    QCOMPARE(lines(run.out).size(), 1); // the summary
    QVERIFY(run.err.isEmpty());
}

void TestLangTool::checkNamesEachFault()
{
    // A start two bytes off keeps the header's length; a string emptied in the last section
    // moves no section. So there are exactly two faults.
    QByteArray bytes = m_shipped;
    const qint64 second = headerValue(bytes, "Language2Start").toLongLong();
    const QByteArray lastKey = "Language" + headerValue(bytes, "NumLanguages") + "Start";
    const qint64 last = headerValue(bytes, lastKey).toLongLong();
    QVERIFY(second > 100 && last > second);
    setHeaderValue(bytes, "Language2Start", QByteArray::number(second - 2));
    setText(bytes, last, 1046, "\"\"");
    QVERIFY(writeBytes(m_shippedCopy, bytes));

    const Run run = runTool({QStringLiteral("check"), m_shippedCopy});
    QCOMPARE(run.status, 1);
    const QStringList faults = lines(run.out);
    QCOMPARE(faults.size(), 2);
    QVERIFY2(faults.at(0).contains(QStringLiteral("Language2Start is %1").arg(second - 2)) &&
                 faults.at(0).contains(QString::number(second)),
             qPrintable(faults.at(0)));
    QVERIFY2(faults.at(1).contains(QStringLiteral("string 1046 is empty")),
             qPrintable(faults.at(1)));
}

void TestLangTool::checkFatal()
{
    const QString path = m_dir.filePath(QStringLiteral("broken.dbf"));
    QVERIFY(writeBytes(path, TestDatabase()
                                 .header("Language1=A")
                                 .header("Language1Start=@A@")
                                 .header("NumStrings=1")
                                 .section("A", {"S0=a"})
                                 .bytes()));
    Run run = runTool({QStringLiteral("check"), path});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QStringLiteral("Fatal Error: Language database file ") + path +
                                    QStringLiteral(" is missing critical information."));

    const QString missing = m_dir.filePath(QStringLiteral("none.dbf"));
    run = runTool({QStringLiteral("check"), missing});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains(QStringLiteral(" not found.")));
}

void TestLangTool::everyFaultTheProgramShowsFails()
{
    // The last section's header, where its start says, is the file's last line: the program
    // stops with its message, however the language is reached.
    const QString lastLine = m_dir.filePath(QStringLiteral("lastline.dbf"));
    QByteArray bytes = TestDatabase()
                           .header("NumLanguages=2")
                           .header("Language1=A")
                           .header("Language1Start=@A@")
                           .header("Language2=B")
                           .header("Language2Start=@B@")
                           .header("NumStrings=1")
                           .section("A", {"S0=a"})
                           .raw("[B]")
                           .bytes();
    QVERIFY(writeBytes(lastLine, bytes));
    const QString critical = QStringLiteral("Fatal Error: Language database file ") + lastLine +
                             QStringLiteral(" is missing critical information.");
    Run run = runTool({QStringLiteral("check"), lastLine});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QStringLiteral("language 2 (B): ") + critical);
    QVERIFY(!run.err.contains(QStringLiteral("Input past end of file")));
    run = runTool({QStringLiteral("dump"), lastLine, QStringLiteral("B")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), critical);
    QVERIFY(run.out.isEmpty());

    // A load error alone (a string number outside the table) is a fault as well.
    const QString outside = m_dir.filePath(QStringLiteral("outside.dbf"));
    QVERIFY(writeBytes(outside, TestDatabase()
                                    .header("NumLanguages=1")
                                    .header("Language1=A")
                                    .header("Language1Start=@A@")
                                    .header("NumStrings=2")
                                    .section("A", {"S0=a", "S7=b"})
                                    .bytes()));
    run = runTool({QStringLiteral("check"), outside});
    QCOMPARE(run.status, 1);
    QVERIFY2(lines(run.err).contains(QStringLiteral("language 1 (A): Subscript out of range(Code9)")),
             qPrintable(run.err));
    run = runTool({QStringLiteral("dump"), outside, QStringLiteral("1")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QStringLiteral("Subscript out of range(Code9)"));
    QCOMPARE(run.out, QStringLiteral("0\ta\n"));
}

void TestLangTool::fixOffsetsRepairs()
{
    // A longer text in the first section moves every later one; one start is also wrong.
    QByteArray bytes = m_shipped;
    const qint64 first = headerValue(bytes, "Language1Start").toLongLong();
    setText(bytes, first, 1046, "Cancelar (un texto bastante mas largo)");
    setHeaderValue(bytes, "Language2Start", "7");
    QVERIFY(writeBytes(m_shippedCopy, bytes));
    QCOMPARE(runTool({QStringLiteral("check"), m_shippedCopy}).status, 1);

    const Run fix = runTool({QStringLiteral("fix-offsets"), m_shippedCopy});
    QCOMPARE(fix.status, 0);
    QVERIFY2(fix.err.isEmpty(), qPrintable(fix.err));
    const Run check = runTool({QStringLiteral("check"), m_shippedCopy});
    QCOMPARE(check.status, 0);

    // Only the start lines changed.
    const QList<QByteArray> old = bytes.split('\n');
    const QList<QByteArray> fixed = readBytes(m_shippedCopy).split('\n');
    QCOMPARE(fixed.size(), old.size());
    int changed = 0;
    for (qsizetype i = 0; i < old.size(); ++i) {
        if (old.at(i) == fixed.at(i))
            continue;
        ++changed;
        QVERIFY2(fixed.at(i).startsWith("Language") && fixed.at(i).contains("Start="),
                 fixed.at(i).constData());
    }
    QVERIFY(changed >= 2);

    // A second run has nothing to do and leaves the file as it is.
    const QByteArray before = readBytes(m_shippedCopy);
    QCOMPARE(runTool({QStringLiteral("fix-offsets"), m_shippedCopy}).status, 0);
    QCOMPARE(readBytes(m_shippedCopy), before);
}

void TestLangTool::fixOffsetsAcrossDigits()
{
    // Starts written as "1" must grow to three and four digits, which moves the sections
    // again; the values must describe the file as it ends up.
    QByteArray bytes = TestDatabase::standard({"A", "B", "C"}, 50).bytes();
    for (const QByteArray key : {"Language1Start", "Language2Start", "Language3Start"})
        setHeaderValue(bytes, key, "1");
    bytes.replace("Language2Start=1\r\n", "Language2Start =  1 \r\n"); // blanks stay
    const QString path = m_dir.filePath(QStringLiteral("digits.dbf"));
    QVERIFY(writeBytes(path, bytes));

    QCOMPARE(runTool({QStringLiteral("fix-offsets"), path}).status, 0);
    const QByteArray fixed = readBytes(path);
    QVERIFY(TestDatabase::startOf(fixed, "C") >= 1000);
    QCOMPARE(headerValue(fixed, "Language1Start").toLongLong(), TestDatabase::startOf(fixed, "A"));
    QVERIFY(fixed.contains(
        "\nLanguage2Start =  " + QByteArray::number(TestDatabase::startOf(fixed, "B")) + " \r\n"));
    QCOMPARE(headerValue(fixed, "Language3Start").toLongLong(), TestDatabase::startOf(fixed, "C"));
    QCOMPARE(runTool({QStringLiteral("check"), path}).status,
             1); // its strings are not the program's
    QVERIFY(!runTool({QStringLiteral("check"), path}).out.contains(QStringLiteral("Start is")));
}

void TestLangTool::dump_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("number") << "2";
    QTest::newRow("name") << "Beta";
    QTest::newRow("name in another case") << "bETA";
}

void TestLangTool::dump()
{
    QFETCH(QString, language);
    const QString path = m_dir.filePath(QStringLiteral("small.dbf"));
    QVERIFY(writeBytes(
        path, TestDatabase()
                  .header("NumLanguages=2")
                  .header("Language1=Alpha")
                  .header("Language1Start=@Alpha@")
                  .header("Language2=Beta")
                  .header("Language2Start=@Beta@")
                  .header("NumStrings=5")
                  .header("StringIndexBase=1000")
                  .header("StringIndexStep=2")
                  .section("Alpha", {"S1000=a", "S1002=a", "S1004=a", "S1006=a", "S1008=a"})
                  .section("Beta", {"S1006=back\\slash", "S1000=plain", "S1002=two~~lines",
                                    "S1004=\"\"", "S1008=\"  caf\xC3\xA9  \""})
                  .bytes()));
    const Run run = runTool({QStringLiteral("dump"), path, language});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.out, QStringLiteral("1000\tplain\n"
                                     "1002\ttwo\\r\\nlines\n"
                                     "1006\tback\\\\slash\n"
                                     "1008\t  caf\u00E9  \n"));
}

void TestLangTool::dumpUnknownLanguage()
{
    const QString path = m_dir.filePath(QStringLiteral("small.dbf"));
    QVERIFY(writeBytes(path, TestDatabase::standard({"Alpha", "Beta"}, 1).bytes()));
    for (const QString& language : {QStringLiteral("3"), QStringLiteral("0"),
                                    QStringLiteral("Gamma"), QStringLiteral("Alph")}) {
        const Run run = runTool({QStringLiteral("dump"), path, language});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("Beta")));
        QVERIFY(run.out.isEmpty());
    }
}

void TestLangTool::dumpFaults()
{
    // A fatal fault: the program's message, and nothing listed.
    const QString broken = m_dir.filePath(QStringLiteral("broken.dbf"));
    QVERIFY(writeBytes(broken, TestDatabase()
                                   .header("NumLanguages=1")
                                   .header("Language1=A")
                                   .header("Language1Start=@A@")
                                   .section("A", {"S0=a"})
                                   .bytes()));
    Run run = runTool({QStringLiteral("dump"), broken, QStringLiteral("1")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QStringLiteral("Fatal Error: Language database file ") + broken +
                                    QStringLiteral(" is missing critical information."));
    QVERIFY(run.out.isEmpty());

    // A load error is told and passed over as Ignore would; the status says it happened.
    const QString shortFile = m_dir.filePath(QStringLiteral("short.dbf"));
    QByteArray bytes = TestDatabase::standard({"A"}, 3).bytes();
    bytes.truncate(bytes.indexOf("S1004="));
    QVERIFY(writeBytes(shortFile, bytes));
    run = runTool({QStringLiteral("dump"), shortFile, QStringLiteral("A")});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QStringLiteral("Input past end of file(Code62)"));
    QCOMPARE(run.out, QStringLiteral("1000\tA 1000\n1002\tA 1002\n"));
}

QTEST_GUILESS_MAIN(TestLangTool)
#include "tst_langtool.moc"
