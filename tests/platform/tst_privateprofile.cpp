#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using platform::GetPrivateProfileString;
using platform::ProfileFile;
using platform::WritePrivateProfileString;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestPrivateProfile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void read_data();
    void read();
    void unreadableFileGivesDefault();

    void write_data();
    void write();
    void writeRefused_data();
    void writeRefused();
    void writeReadOnlyFile();
    void writeMissingFolder();
    void writeTooLargeFile();

    void fuzz();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name = QStringLiteral("test.ini")) const
    {
        return m_dir->filePath(name);
    }
};

void TestPrivateProfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrivateProfile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");

    const QByteArray files = "[Files]\r\nImgFront=front.bmp\r\n";
    QTest::newRow("exact") << files << "Files" << "ImgFront" << 64 << "front.bmp";
    QTest::newRow("case-insensitive") << files << "fILES" << "IMGFRONT" << 64 << "front.bmp";
    QTest::newRow("non-ASCII case") << QByteArray("[Äb]\nÉ=1\n") << "äB" << "é" << 64 << "1";
    QTest::newRow("missing section") << files << "Other" << "ImgFront" << 64 << "dflt";
    QTest::newRow("missing key") << files << "Files" << "ImgBack" << 64 << "dflt";
    QTest::newRow("empty key") << files << "Files" << "" << 64 << "dflt";

    const QByteArray blanks = "  [ \tFiles\t ]  ; note\r\n \t ImgFront \t=\t  a b  \t\r\n";
    QTest::newRow("blanks in file") << blanks << "Files" << "ImgFront" << 64 << "a b";
    QTest::newRow("blanks in names") << blanks << " Files " << "\tImgFront " << 64 << "a b";
    QTest::newRow("empty value") << QByteArray("[S]\nK=  \n") << "S" << "K" << 64 << "";
    QTest::newRow("split at first =") << QByteArray("[S]\nK = a=b\n") << "S" << "K" << 64 << "a=b";
    QTest::newRow("vertical tab is not a blank")
        << QByteArray("[S]\nK=\va\v\n") << "S" << "K" << 64 << "\va\v";

    QTest::newRow("double quotes") << QByteArray("[S]\nK= \" a \" \n") << "S" << "K" << 64 << " a ";
    QTest::newRow("single quotes") << QByteArray("[S]\nK='a'\n") << "S" << "K" << 64 << "a";
    QTest::newRow("one pair only") << QByteArray("[S]\nK=\"\"a\"\"\n") << "S" << "K" << 64
                                   << "\"a\"";
    QTest::newRow("empty quotes") << QByteArray("[S]\nK=\"\"\n") << "S" << "K" << 64 << "";
    QTest::newRow("mismatched quotes") << QByteArray("[S]\nK='a\"\n") << "S" << "K" << 64
                                       << "'a\"";
    QTest::newRow("lone quote") << QByteArray("[S]\nK=\"\n") << "S" << "K" << 64 << "\"";
    QTest::newRow("quote at one end") << QByteArray("[S]\nK=\"a\n") << "S" << "K" << 64 << "\"a";

    const QByteArray longValue = "[S]\nK=abcdef\n";
    QTest::newRow("cut to size-1") << longValue << "S" << "K" << 4 << "abc";
    QTest::newRow("fits exactly") << longValue << "S" << "K" << 7 << "abcdef";
    QTest::newRow("size 1") << longValue << "S" << "K" << 1 << "";
    QTest::newRow("size 0") << longValue << "S" << "K" << 0 << "";
    QTest::newRow("default cut too") << longValue << "S" << "X" << 3 << "df";
    QTest::newRow("no half surrogate")
        << QByteArray("[S]\nK=a\xF0\x9F\x98\x80z\n") << "S" << "K" << 3 << "a";

    const QByteArray twice = "[A]\nx=1\nx=2\n[B]\ny=5\n[a]\nx=3\nz=4\n";
    QTest::newRow("first key wins") << twice << "A" << "x" << 64 << "1";
    QTest::newRow("first section wins") << twice << "A" << "z" << 64 << "dflt";
    QTest::newRow("first section even if empty")
        << QByteArray("[A]\n[B]\n[A]\nx=1\n") << "A" << "x" << 64 << "dflt";
    QTest::newRow("key stays in its section") << twice << "B" << "x" << 64 << "dflt";

    QTest::newRow("before any section") << QByteArray("K=1\n[S]\n") << "" << "K" << 64 << "dflt";
    QTest::newRow("empty section name") << QByteArray("K=1\n[]\nK=2\n") << "" << "K" << 64 << "2";
    QTest::newRow("text after ]") << QByteArray("[S] junk]\nK=1\n") << "S" << "K" << 64 << "1";
    QTest::newRow("no ] is not a section")
        << QByteArray("[S]\n[T\nK=1\n") << "S" << "K" << 64 << "1";
    QTest::newRow("line without =") << QByteArray("[S]\nK\nK=2\n") << "S" << "K" << 64 << "2";

    QTest::newRow("LF") << QByteArray("[S]\nA=1\nK=2\n") << "S" << "K" << 64 << "2";
    QTest::newRow("CR") << QByteArray("[S]\rA=1\rK=2\r") << "S" << "K" << 64 << "2";
    QTest::newRow("CR LF") << QByteArray("[S]\r\nA=1\r\nK=2") << "S" << "K" << 64 << "2";
    QTest::newRow("mixed") << QByteArray("[S]\rA=1\n\r\nK=2\r") << "S" << "K" << 64 << "2";

    const QByteArray mixed = "\xEF\xBB\xBF[S]\r\nA=caf\xC3\xA9\r\nB=caf\xE9 \x80\x9F\r\n";
    QTest::newRow("UTF-8 with BOM") << mixed << "S" << "A" << 64 << "café";
    QTest::newRow("Windows-1252 line") << mixed << "S" << "B" << 64 << "café €Ÿ";
    QTest::newRow("cut in a Windows-1252 line") << mixed << "S" << "B" << 5 << "café";
}

void TestPrivateProfile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, size);
    QFETCH(QString, expected);

    QVERIFY(writeBytes(path(), file));
    const QString dflt = QStringLiteral("dflt");
    QCOMPARE(GetPrivateProfileString(section, key, dflt, size, path()), expected);
    QCOMPARE(ProfileFile::parse(file).value(section, key, dflt, size), expected);
    // Reading one section alone finds the same, and nothing of the others.
    QCOMPARE(ProfileFile::parseSection(file, section).value(section, key, dflt, size), expected);
    const QString dfltCut = size <= 1 ? QString() : dflt.left(size - 1);
    QCOMPARE(ProfileFile::parseSection(file, QStringLiteral("Elsewhere"))
                 .value(section, key, dflt, size),
             dfltCut);
}

void TestPrivateProfile::unreadableFileGivesDefault()
{
    const QString missing = path(QStringLiteral("missing.ini"));
    QCOMPARE(GetPrivateProfileString("S", "K", "dflt", 64, missing), QString("dflt"));
    QVERIFY(!ProfileFile::load(missing).isValid());
    QVERIFY(!ProfileFile().isValid());

    QVERIFY(QDir(m_dir->path()).mkdir("folder.ini"));
    QCOMPARE(GetPrivateProfileString("S", "K", "dflt", 64, path("folder.ini")), QString("dflt"));

    QByteArray large = "[S]\r\nK=1\r\n";
    QVERIFY(writeBytes(path(), large));
    QVERIFY(ProfileFile::load(path()).isValid());
    large.resize(ProfileFile::MaxFileBytes + 1, ' ');
    QVERIFY(writeBytes(path(), large));
    QVERIFY(!ProfileFile::load(path()).isValid());
    QCOMPARE(GetPrivateProfileString("S", "K", "dflt", 64, path()), QString("dflt"));
}

void TestPrivateProfile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>": no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray("<none>") << "Files" << "ImgFront" << "a"
                              << QByteArray("[Files]\r\nImgFront=a\r\n");
    QTest::newRow("empty file") << QByteArray() << "Files" << "ImgFront" << ""
                                << QByteArray("[Files]\r\nImgFront=\r\n");

    // Everything but the replaced line must survive byte for byte: comments, blanks,
    // odd case, another section with the same key, a Windows-1252 line, mixed line ends.
    QTest::newRow("replace keeps other bytes")
        << QByteArray("; \xE9t\xE9\r\n[files] ;x\r\n  imgFRONT =  \"old\"  \n"
                      "ImgBack=b\r\n\r\n[Other]\rImgFront=o\r\n")
        << "Files" << "ImgFront" << "n\xC3\xA9w"
        << QByteArray("; \xE9t\xE9\r\n[files] ;x\r\nImgFront=n\xC3\xA9w\n"
                      "ImgBack=b\r\n\r\n[Other]\rImgFront=o\r\n");
    QTest::newRow("replace first of duplicates")
        << QByteArray("[A]\nx=1\nx=2\n[A]\nx=3\n") << "a" << "X" << "9"
        << QByteArray("[A]\nX=9\nx=2\n[A]\nx=3\n");
    QTest::newRow("replace last line without line end")
        << QByteArray("[A]\nx=1") << "A" << "x" << "2" << QByteArray("[A]\nx=2");
    QTest::newRow("key written as passed") << QByteArray("[A]\r\n") << "A" << " k " << " v "
                                           << QByteArray("[A]\r\n k = v \r\n");
    QTest::newRow("brackets that change no structure")
        << QByteArray("<none>") << "[A" << "k[1]" << "[v]=w"
        << QByteArray("[[A]\r\nk[1]=[v]=w\r\n");

    QTest::newRow("insert after last entry")
        << QByteArray("[Files]\r\nImgBack=b\r\n\r\n; next\r\n[Other]\r\nx=1\r\n")
        << "Files" << "ImgCd" << "c"
        << QByteArray("[Files]\r\nImgBack=b\r\nImgCd=c\r\n\r\n; next\r\n[Other]\r\nx=1\r\n");
    QTest::newRow("insert into section without entries")
        << QByteArray("[Files]\r\n; none yet\r\n\r\n[Other]\r\nx=1\r\n") << "Files" << "ImgCd"
        << "c" << QByteArray("[Files]\r\nImgCd=c\r\n; none yet\r\n\r\n[Other]\r\nx=1\r\n");
    QTest::newRow("insert only into first section")
        << QByteArray("[A]\nx=1\n[B]\n[A]\ny=2\n") << "A" << "y" << "3"
        << QByteArray("[A]\nx=1\ny=3\n[B]\n[A]\ny=2\n");
    QTest::newRow("insert after line without line end")
        << QByteArray("[A]\nx=1") << "A" << "y" << "2" << QByteArray("[A]\nx=1\ny=2\n");
    QTest::newRow("insert takes its neighbour's line end")
        << QByteArray("[A]\rx=1\n\nz") << "A" << "y" << "2"
        << QByteArray("[A]\rx=1\ny=2\n\nz");

    QTest::newRow("append section")
        << QByteArray("[Other]\r\nx=1\r\n\r\n") << "Files" << "ImgFront" << "a"
        << QByteArray("[Other]\r\nx=1\r\n\r\n[Files]\r\nImgFront=a\r\n");
    QTest::newRow("append keeps LF") << QByteArray("[Other]\nx=1\n") << "Files" << "K" << "v"
                                     << QByteArray("[Other]\nx=1\n[Files]\nK=v\n");
    QTest::newRow("append keeps CR") << QByteArray("[Other]\rx=1\r") << "Files" << "K" << "v"
                                     << QByteArray("[Other]\rx=1\r[Files]\rK=v\r");
    QTest::newRow("append to file without line end")
        << QByteArray("[Other]\nx=1") << "Files" << "K" << "v"
        << QByteArray("[Other]\nx=1\n[Files]\nK=v\n");
    QTest::newRow("append to one-line file") << QByteArray("x=1") << "Files" << "K" << "v"
                                             << QByteArray("x=1\r\n[Files]\r\nK=v\r\n");
}

void TestPrivateProfile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (before != "<none>")
        QVERIFY(writeBytes(path(), before));
    QVERIFY(WritePrivateProfileString(section, key, value, path()));
    QCOMPARE(readBytes(path()), after);
    QCOMPARE(GetPrivateProfileString(section, key, "dflt", 64, path()), value.trimmed());
}

void TestPrivateProfile::writeRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("LF in value") << "Files" << "ImgFront" << "a\nb";
    QTest::newRow("CR in value") << "Files" << "ImgFront" << "a\rb";
    QTest::newRow("LF in key") << "Files" << "Img\nFront" << "a";
    QTest::newRow("CR in section") << "Fi\rles" << "ImgFront" << "a";
    QTest::newRow("empty key") << "Files" << "" << "a";
    QTest::newRow("blank key") << "Files" << " \t" << "a";
    // Names the file cannot hold as they are: written, they would read back as other keys
    // and sections, and move the keys after them into a section of their own.
    QTest::newRow("] in section") << "Fi]les" << "ImgFront" << "a";
    QTest::newRow("= in key") << "Files" << "Img=Front" << "a";
    QTest::newRow("key shaped as section") << "Files" << " [Other]" << "a";
    QTest::newRow("key and value shaped as section") << "Files" << "[Other" << "x]";
}

void TestPrivateProfile::writeRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray original = "[Files]\r\nImgFront=old\r\n";
    QVERIFY(writeBytes(path(), original));
    QVERIFY(!WritePrivateProfileString(section, key, value, path()));
    QCOMPARE(readBytes(path()), original);

    const QString fresh = path(QStringLiteral("fresh.ini"));
    QVERIFY(!WritePrivateProfileString(section, key, value, fresh));
    QVERIFY(!QFile::exists(fresh));
}

void TestPrivateProfile::writeReadOnlyFile()
{
    const QByteArray original = "[Files]\r\nImgFront=old\r\n";
    QVERIFY(writeBytes(path(), original));
    QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadUser));
    QVERIFY(!WritePrivateProfileString("Files", "ImgFront", "new", path()));
    QVERIFY(!WritePrivateProfileString("Files", "ImgBack", "new", path()));
    QCOMPARE(readBytes(path()), original);
    QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void TestPrivateProfile::writeMissingFolder()
{
    const QString inMissing = m_dir->filePath(QStringLiteral("nope/test.ini"));
    QVERIFY(!WritePrivateProfileString("Files", "ImgFront", "a", inMissing));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("nope"))));

    QVERIFY(QDir(m_dir->path()).mkdir("folder.ini"));
    QVERIFY(!WritePrivateProfileString("Files", "ImgFront", "a", path("folder.ini")));
}

void TestPrivateProfile::writeTooLargeFile()
{
    QByteArray large = "[Files]\r\nImgFront=old\r\n";
    large.resize(ProfileFile::MaxFileBytes + 1, ';');
    QVERIFY(writeBytes(path(), large));
    QVERIFY(!WritePrivateProfileString("Files", "ImgFront", "new", path()));
    QCOMPARE(QFileInfo(path()).size(), qint64(large.size()));
}

// Random files built from the characters that matter to the layout: parsing must not
// crash or hang, a write with plain names must read back, and it must leave every other
// lookup as it was.
void TestPrivateProfile::fuzz()
{
    const QList<QByteArray> fragments = {
        "[", "]", "=", "\r\n", "\n", "\r", "\"", "'", " ", "\t", QByteArray(1, '\0'),
        "\xC3\xA9", "\xE9", "\x80", "\xF0\x9F", "\xEF\xBB\xBF", "Files", "fILES", "ImgFront",
        "imgfront", "Other", "K", ";", "[Files]\r\n", "ImgFront=", "\n[Other]\n"};
    const QStringList sections = {"Files", "Other", "K", "", "x y"};
    const QStringList keys = {"ImgFront", "K", "Files", "a b", "Z"};
    const QString valueChars = QStringLiteral("ab =[]'\"\xE9\x20AC;");

    QRandomGenerator random(20240611);
    const QString file = path();
    for (int iteration = 0; iteration < 2000; ++iteration) {
        QByteArray bytes;
        const int pieces = random.bounded(40);
        for (int i = 0; i < pieces; ++i) {
            if (random.bounded(3) == 0) {
                bytes += char(random.bounded(256));
            } else {
                bytes += fragments.at(random.bounded(fragments.size()));
            }
        }

        const ProfileFile parsed = ProfileFile::parse(bytes);
        QVERIFY(parsed.isValid());
        for (const QString& section : sections) {
            for (const QString& key : keys)
                parsed.value(section, key, "dflt", random.bounded(20));
        }

        QVERIFY(writeBytes(file, bytes));
        const QString section = sections.at(random.bounded(sections.size()));
        const QString key = keys.at(random.bounded(keys.size()));
        QString value;
        for (int i = random.bounded(12); i > 0; --i)
            value += valueChars.at(random.bounded(valueChars.size()));
        value = QStringLiteral("<%1>").arg(value); // plain ends: no blanks, no quote pair

        QVERIFY(WritePrivateProfileString(section, key, value, file));
        const ProfileFile written = ProfileFile::load(file);
        QCOMPARE(written.value(section, key, "dflt", 2048), value);
        for (const QString& otherSection : sections) {
            for (const QString& otherKey : keys) {
                if (otherSection.compare(section, Qt::CaseInsensitive) == 0
                    && otherKey.compare(key, Qt::CaseInsensitive) == 0)
                    continue;
                const QString before = parsed.value(otherSection, otherKey, "dflt", 2048);
                QCOMPARE(written.value(otherSection, otherKey, "dflt", 2048), before);
            }
        }
        QCOMPARE(GetPrivateProfileString(section, key, "dflt", 2048, file), value);
    }
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
