// The settings store, the program folder and command line, text decoding, and the file
// dialog filters.
#include "ProgramFolder.h"
#include "Settings.h"
#include "TestEnv.h"
#include "TextCodec.h"
#include "WidgetUi.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsStoreKeepsTextBySectionAndKey()
    {
        TestEnv env;
        QVERIFY(!platform::HasSetting("ORVLA", "Preferences", "Editor"));
        QCOMPARE(platform::GetSetting("ORVLA", "Preferences", "Language", "2"),
                 QStringLiteral("2"));
        platform::SaveSetting("ORVLA", "Preferences", "Editor", "/opt/my editor/bin/edit");
        QVERIFY(platform::HasSetting("ORVLA", "Preferences", "Editor"));
        QCOMPARE(platform::GetSetting("ORVLA", "Preferences", "Editor"),
                 QStringLiteral("/opt/my editor/bin/edit"));
        QVERIFY(!platform::HasSetting("ORVLA", "Other", "Editor"));

        // A value the store already holds is not written again (each start saves the
        // language it speaks): the file is not replaced.
        const QString store = env.path(QStringLiteral("settings.ini"));
        struct stat before
        {
        };
        QCOMPARE(::stat(QFile::encodeName(store).constData(), &before), 0);
        platform::SaveSetting("ORVLA", "Preferences", "Editor", "/opt/my editor/bin/edit");
        struct stat after
        {
        };
        QCOMPARE(::stat(QFile::encodeName(store).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        platform::SaveSetting("ORVLA", "Preferences", "Editor", "other");
        QCOMPARE(platform::GetSetting("ORVLA", "Preferences", "Editor"), QStringLiteral("other"));
    }

    void commandLinePathLeavesOutLanguageSwitches()
    {
        QCOMPARE(platform::commandLinePath({"/L=English", "/home/me/My", "set.ovc", "/l=Deutsch"}),
                 QStringLiteral("/home/me/My set.ovc"));
        QCOMPARE(platform::commandLinePath({"/L=English"}), QString());
    }

    void programFilesAreFoundBesideOrInstalled()
    {
        TestEnv env;
        QDir root(env.folder());
        root.mkpath(QStringLiteral("bin"));
        root.mkpath(QStringLiteral("share/orvella"));
        const QString bin = root.filePath(QStringLiteral("bin"));
        // Neither: the program folder's path, so a message can name it.
        QCOMPARE(platform::programFile(bin, "Spoken.DBF"), root.filePath("bin/Spoken.DBF"));
        env.writeFile(QStringLiteral("share/orvella/Spoken.DBF"), "x");
        QCOMPARE(platform::programFile(bin, "Spoken.DBF"),
                 root.filePath("share/orvella/Spoken.DBF"));
        env.writeFile(QStringLiteral("bin/Spoken.DBF"), "x");
        QCOMPARE(platform::programFile(bin, "Spoken.DBF"), root.filePath("bin/Spoken.DBF"));
    }

    void linesDecodeAsUtf8OrWindows1252()
    {
        QCOMPARE(platform::decodeLine("Espa\xc3\xb1ol"), QStringLiteral("Español"));
        QCOMPARE(platform::decodeLine("Espa\xf1ol \x80 \x93x\x94"),
                 QStringLiteral("Español € “x”"));
        QCOMPARE(platform::decodeLine(""), QString());
    }

    void filtersMatchRegardlessOfCase()
    {
        const QString filter = platform::WidgetUi::qtNameFilter("All Cover Sets|*.OVC");
        QVERIFY(filter.startsWith(QStringLiteral("All Cover Sets (")));
        const QString pattern = filter.section('(', 1).chopped(1);
        for (const char* name : {"x.ovc", "X.OVC", "set.Ovc"}) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
            QVERIFY2(re.match(QLatin1String(name)).hasMatch(), name);
        }
        const QString pictures = platform::WidgetUi::qtNameFilter("Pics|*.bmp;*jpg");
        QCOMPARE(pictures.count(QLatin1Char(' ')), 2); // "Pics (a b)"
        QCOMPARE(platform::WidgetUi::defaultSuffix("All Cover Sets|*.OVC"), QStringLiteral("ovc"));
        QCOMPARE(platform::WidgetUi::defaultSuffix("Bitmap files|*.bmp"), QStringLiteral("bmp"));
        QCOMPARE(platform::WidgetUi::defaultSuffix("Applications|*"), QString());
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
