// The preferences dialog and Insert object: handing a face's picture file to an editor.
#include "../cover/CoverTestSupport.h"
#include "ImageArea.h"
#include "Preferences.h"
#include "Settings.h"
#include "ShellPreferences.h"
#include "frmCOnfig.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const QString kApp = QStringLiteral("ORVLA");
const QString kSection = QStringLiteral("Preferences");
const QString kKey = QStringLiteral("Editor");

// The language database in English, the settings in a folder of the test's own.
struct PrefsFixture
{
    LangTestEnv env{2};
    ScriptedUi ui;
};

QString storedEditor()
{
    return platform::GetSetting(kApp, kSection, kKey, QStringLiteral("<none>"));
}

void storeEditor(const QString& path)
{
    platform::SaveSetting(kApp, kSection, kKey, path);
    platform::setEditorPath(path);
}

// An editor that writes how many arguments it got and each of them, one a line, and
// replaces its record at once so that a test never reads half of it.
QString writeEditor(const QString& path, const QString& record, int delaySeconds = 0)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    script.write("#!/bin/sh\n");
    if (delaySeconds > 0)
        script.write("sleep " + QByteArray::number(delaySeconds) + "\n");
    script.write("printf '%s\\n' \"$#\" \"$@\" > '" + record.toUtf8() + ".part'\n");
    script.write("mv '" + record.toUtf8() + ".part' '" + record.toUtf8() + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

// A file the user may run, or (executable false) one that is not.
QString makeFile(const TestEnv& env, const QString& name, bool executable = true)
{
    const QString path = env.writeFile(name, "#!/bin/sh\nexit 0\n");
    QFile file(path);
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

QStringList recordedArguments(const QString& record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no record>")};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void putPictureOnClipboard()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    auto* data = new QMimeData;
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace

// Catches what the program hands to the desktop to open.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url); }
};

class TestPreferences : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_xdg;
    OpenedUrls m_opened;

    // A new cover set whose current face is `face`, with the picture file `path` inserted
    // the way the user does it.
    static std::shared_ptr<clsCover> coverWithPicture(CoverFixture& f, int face,
                                                      const QString& path)
    {
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        cover->frmCover()->SSTab1()->setCurrentIndex(face);
        if (!path.isEmpty()) {
            f.ui.answerFile(path);
            f.window->mnuInsertPicture_Click();
        }
        return cover;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The main window registers the file type as it starts: not in the user's own home.
        qputenv("XDG_DATA_HOME", m_xdg.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_xdg.filePath(QStringLiteral("config")).toUtf8());
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_opened, "open");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void init()
    {
        m_opened.urls.clear();
        QGuiApplication::clipboard()->clear();
    }

    void dialogShowsItsTextsAndTheCurrentEditor()
    {
        PrefsFixture f;
        platform::setEditorPath(QStringLiteral("/usr/bin/gimp"));
        frmCOnfig dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(dialog.tabConfig()->count(), 2);
        QCOMPARE(dialog.tabConfig()->tabText(0), LangString(1252));
        QCOMPARE(dialog.tabConfig()->tabText(1), LangString(1450));
        QCOMPARE(dialog.Frame1()->title(), LangString(1012));
        QCOMPARE(dialog.btnOk()->text(), QStringLiteral("&Ok"));
        QCOMPARE(dialog.btnCancel()->text(), LangString(1046));
        QVERIFY(dialog.btnAccion()->text().isEmpty());
        QVERIFY(!dialog.btnAccion()->icon().isNull());
        QCOMPARE(dialog.txtEditor()->text(), QStringLiteral("/usr/bin/gimp"));
        QVERIFY(dialog.Frame1()->isAncestorOf(dialog.txtEditor()));
        QVERIFY(dialog.Frame1()->isAncestorOf(dialog.btnAccion()));
    }

    void okStoresTheTextAsTypedAndAppliesItAtOnce()
    {
        PrefsFixture f;
        // Blanks are kept; an empty text is stored too and hands pictures back to the desktop.
        for (const QString& typed : {QStringLiteral("  /opt/My Editor/bin/edit "), QString()}) {
            storeEditor(QStringLiteral("/old/editor"));
            f.ui.answerDialog([typed](QDialog* dialog) {
                auto* prefs = qobject_cast<frmCOnfig*>(dialog);
                if (!prefs)
                    return -1;
                prefs->txtEditor()->setText(typed);
                QTest::mouseClick(prefs->btnOk(), Qt::LeftButton);
                return dialog->result();
            });
            showPreferences(nullptr);
            QVERIFY(f.ui.scriptDone());
            QCOMPARE(storedEditor(), typed);
            QCOMPARE(platform::editorPath(), typed);
        }
        QCOMPARE(f.ui.dialogsShown, 2);
    }

    void browseListsProgramsAndKeepsItsChoiceWhenCancelled()
    {
        PrefsFixture f;
        const QString gimp = makeFile(f.env, QStringLiteral("bin/gimp"));
        const QString krita = makeFile(f.env, QStringLiteral("opt/krita"));
        frmCOnfig dialog;
        dialog.show();
        f.ui.answerFile(gimp);
        QTest::mouseClick(dialog.btnAccion(), Qt::LeftButton);
        QCOMPARE(f.ui.fileRequests.size(), 1);
        const platform::FileDialogRequest first = f.ui.fileRequests.first();
        QCOMPARE(first.kind, platform::FileDialogRequest::Kind::Open);
        QCOMPARE(first.title, LangString(1288));
        // Every file is listed: programs here have no common name ending.
        QCOMPARE(first.filter, QStringLiteral("Applications|*"));
        QVERIFY(!first.fileMustExist);
        QVERIFY(first.fileName.isEmpty());
        QCOMPARE(dialog.txtEditor()->text(), gimp);

        // The dialog still holds the first choice: cancelling it puts that back.
        dialog.txtEditor()->setText(QStringLiteral("typed"));
        f.ui.answerFile(QString());
        QTest::mouseClick(dialog.btnAccion(), Qt::LeftButton);
        QCOMPARE(f.ui.fileRequests.at(1).fileName, gimp);
        QCOMPARE(dialog.txtEditor()->text(), gimp);

        f.ui.answerFile(krita);
        QTest::mouseClick(dialog.btnAccion(), Qt::LeftButton);
        QCOMPARE(f.ui.fileRequests.at(2).fileName, gimp);
        QCOMPARE(dialog.txtEditor()->text(), krita);
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
    }

    void browseAcceptsOnlyAProgram()
    {
        PrefsFixture f;
        const QString text = makeFile(f.env, QStringLiteral("notes.txt"), false);
        const QString folder = f.env.path(QStringLiteral("bin"));
        const QString gimp = makeFile(f.env, QStringLiteral("bin/gimp"));
        const QString link = f.env.path(QStringLiteral("gimp-link"));
        QVERIFY(QFile::link(gimp, link));
        QVERIFY(frmCOnfig::isProgram(link));

        frmCOnfig dialog;
        dialog.show();
        // Refused files send the user back to the dialog, each with its message.
        for (const QString& refused : {text, folder, f.env.path(QStringLiteral("typed-name"))}) {
            f.ui.answerFile(refused);
            f.ui.answerMessage(MsgResult::Ok);
        }
        f.ui.answerFile(link);
        QTest::mouseClick(dialog.btnAccion(), Qt::LeftButton);
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.messages.size(), 3);
        QCOMPARE(f.ui.messages.at(0).text, LangString(1380) + QStringLiteral("\r\n") + text);
        QCOMPARE(f.ui.messages.at(0).title, QStringLiteral("ORVLA"));
        QCOMPARE(f.ui.messages.at(0).buttons, MsgButtons::Ok);
        QCOMPARE(f.ui.fileRequests.size(), 4);
        QCOMPARE(f.ui.fileRequests.at(1).fileName, text);
        QCOMPARE(f.ui.fileRequests.at(1).title, LangString(1288));
        QCOMPARE(dialog.txtEditor()->text(), link);

        // A refusal followed by Cancel leaves the text box alone: the refused file is never
        // the dialog's choice.
        frmCOnfig fresh;
        fresh.txtEditor()->setText(QStringLiteral("typed"));
        f.ui.answerFile(text);
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerFile(QString());
        QTest::mouseClick(fresh.btnAccion(), Qt::LeftButton);
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(fresh.txtEditor()->text(), QStringLiteral("typed"));
    }

    void aNewOpeningStartsWithoutTheLastBrowse()
    {
        PrefsFixture f;
        const QString gimp = makeFile(f.env, QStringLiteral("bin/gimp"));
        storeEditor(QStringLiteral("/old/editor"));
        f.ui.answerDialog([&f, gimp](QDialog* dialog) {
            auto* prefs = qobject_cast<frmCOnfig*>(dialog);
            f.ui.answerFile(gimp);
            QTest::mouseClick(prefs->btnAccion(), Qt::LeftButton);
            QTest::mouseClick(prefs->btnCancel(), Qt::LeftButton);
            return dialog->result();
        });
        showPreferences(nullptr);
        QString shown;
        f.ui.answerDialog([&f, &shown](QDialog* dialog) {
            auto* prefs = qobject_cast<frmCOnfig*>(dialog);
            f.ui.answerFile(QString());
            QTest::mouseClick(prefs->btnAccion(), Qt::LeftButton);
            shown = prefs->txtEditor()->text();
            QTest::mouseClick(prefs->btnCancel(), Qt::LeftButton);
            return dialog->result();
        });
        showPreferences(nullptr);
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.fileRequests.at(1).fileName.isEmpty());
        QCOMPARE(shown, QStringLiteral("/old/editor"));
    }

    void cancelAndTheFramesCloseChangeNothing()
    {
        PrefsFixture f;
        const QList<std::function<void(frmCOnfig*)>> waysOut = {
            [](frmCOnfig* d) { QTest::mouseClick(d->btnCancel(), Qt::LeftButton); },
            [](frmCOnfig* d) { d->close(); },
            [](frmCOnfig* d) { QTest::keyClick(d, Qt::Key_Escape); },
        };
        const QString gimp = makeFile(f.env, QStringLiteral("bin/gimp"));
        for (const auto& leave : waysOut) {
            storeEditor(QStringLiteral("/old/editor"));
            f.ui.answerDialog([&f, &leave, gimp](QDialog* dialog) {
                auto* prefs = qobject_cast<frmCOnfig*>(dialog);
                prefs->show();
                f.ui.answerFile(gimp);
                QTest::mouseClick(prefs->btnAccion(), Qt::LeftButton);
                leave(prefs);
                return dialog->result();
            });
            showPreferences(nullptr);
            QVERIFY(f.ui.scriptDone());
            QCOMPARE(storedEditor(), QStringLiteral("/old/editor"));
            QCOMPARE(platform::editorPath(), QStringLiteral("/old/editor"));
        }
    }

    void withoutAnEditorTheDesktopOpensTheFaceFile()
    {
        CoverFixture f;
        QDir().mkpath(f.env.path(QStringLiteral("my pictures")));
        const QString path = f.picture(QStringLiteral("my pictures/front #1%.png"));
        coverWithPicture(f, 0, path);
        f.window->mnuInsertObject_Click();
        QCOMPARE(m_opened.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(f.ui.messages.isEmpty());
    }

    void theEditorGetsThePathAsOneArgumentAndRunsOnItsOwn()
    {
        CoverFixture f;
        QDir().mkpath(f.env.path(QStringLiteral("my pictures")));
        const QString path = f.picture(QStringLiteral("my pictures/back  side 'x'.png"));
        const QString record = f.env.path(QStringLiteral("record.txt"));
        // A slow editor: the command returns long before it has written anything.
        platform::setEditorPath(
            writeEditor(f.env.path(QStringLiteral("my tools/edit it.sh")), record, 1));
        coverWithPicture(f, 2, path);
        f.window->mnuInsertObject_Click();
        QVERIFY(!QFile::exists(record));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QCOMPARE(recordedArguments(record), (QStringList{QStringLiteral("1"), path}));
        QVERIFY(m_opened.urls.isEmpty());
        QVERIFY(f.ui.messages.isEmpty());
    }

    void anEmptyFaceIsReportedAndStartsNothing()
    {
        CoverFixture f;
        const QString record = f.env.path(QStringLiteral("record.txt"));
        const QString editor = writeEditor(f.env.path(QStringLiteral("edit.sh")), record);
        coverWithPicture(f, 1, QString());
        for (const QString& path : {QString(), editor}) {
            platform::setEditorPath(path);
            f.ui.answerMessage(MsgResult::Ok);
            f.window->mnuInsertObject_Click();
        }
        QCOMPARE(f.ui.messages.size(), 2);
        for (const ScriptedUi::Message& m : std::as_const(f.ui.messages)) {
            QCOMPARE(m.text, LangString(1356));
            QCOMPARE(m.title, QStringLiteral("Multilingual Version"));
            QCOMPARE(m.icon, MsgIcon::Critical);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
        QTest::qWait(500);
        QVERIFY(!QFile::exists(record));
        QVERIFY(m_opened.urls.isEmpty());
    }

    void aPastedPictureHandsOnTheFacesFile()
    {
        CoverFixture f;
        const QString old = f.picture(QStringLiteral("old.png"));
        const QString record = f.env.path(QStringLiteral("record.txt"));
        const QString editor = writeEditor(f.env.path(QStringLiteral("edit.sh")), record);
        const auto cover = coverWithPicture(f, 0, old);
        putPictureOnClipboard();
        f.window->mnuPasteClip_Click();
        QCOMPARE(cover->FilePictureFront(), old);
        QVERIFY(cover->frmCover()->imageArea(0)->pictureSource().isEmpty());

        // What the screen shows is not handed on: the face's file is.
        f.window->mnuInsertObject_Click();
        QCOMPARE(m_opened.urls, QList<QUrl>{QUrl::fromLocalFile(old)});
        platform::setEditorPath(editor);
        f.window->mnuInsertObject_Click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QCOMPARE(recordedArguments(record), (QStringList{QStringLiteral("1"), old}));
    }

    void aPictureThatNeverHadAFileHandsOnNothing()
    {
        CoverFixture f;
        const QString record = f.env.path(QStringLiteral("record.txt"));
        const QString editor = writeEditor(f.env.path(QStringLiteral("edit.sh")), record);
        coverWithPicture(f, 3, QString());
        putPictureOnClipboard();
        f.window->mnuPasteClip_Click();

        f.window->mnuInsertObject_Click();
        QVERIFY(m_opened.urls.isEmpty());
        platform::setEditorPath(editor);
        f.window->mnuInsertObject_Click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QCOMPARE(recordedArguments(record), QStringList{QStringLiteral("0")});
        QVERIFY(f.ui.messages.isEmpty());
    }

    void aRelativeFaceFileOpensAsAFileNotAnAddress()
    {
        CoverFixture f;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(f.env.folder()));
        f.picture(QStringLiteral("www.example.org.png"));
        const auto cover = coverWithPicture(f, 0, QString());
        putPictureOnClipboard();
        f.window->mnuPasteClip_Click();
        cover->setFilePictureFront(QStringLiteral("www.example.org.png"));
        f.window->mnuInsertObject_Click();
        QDir::setCurrent(before);
        QCOMPARE(m_opened.urls, QList<QUrl>{QUrl::fromLocalFile(
                                    f.env.path(QStringLiteral("www.example.org.png")))});
        QVERIFY(f.ui.messages.isEmpty());
    }

    void aPathRelativeToTheSetIsCheckedWhereItLeads()
    {
        CoverFixture f;
        QDir().mkpath(f.env.path(QStringLiteral("sets/pics")));
        const QString picture = f.picture(QStringLiteral("sets/pics/front.png"));
        const auto cover = coverWithPicture(f, 0, picture);
        cover->setFileCover(f.env.path(QStringLiteral("sets/my set.ovc")));
        cover->setFilePictureFront(QStringLiteral("pics/front.png"));
        f.window->mnuInsertObject_Click();
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(m_opened.urls, QList<QUrl>{QUrl::fromLocalFile(picture)});
    }

    void onlyAPictureFileGoesToTheDesktop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("executable");
        QTest::newRow("script") << "edit.sh" << QByteArray("#!/bin/sh\nexit 0\n") << true;
        QTest::newRow("script named as a picture")
            << "photo.png" << QByteArray("#!/bin/sh\nexit 0\n") << true;
        QTest::newRow("desktop entry")
            << "start.desktop"
            << QByteArray("[Desktop Entry]\nType=Application\nName=x\nExec=true\n") << false;
        QTest::newRow("missing file") << "" << QByteArray() << false;
        QTest::newRow("folder") << "pictures" << QByteArray() << false;
    }

    void onlyAPictureFileGoesToTheDesktop()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        CoverFixture f;
        QString path = f.env.path(QStringLiteral("gone.png"));
        if (name == QLatin1String("pictures")) {
            path = f.env.path(name);
            QVERIFY(QDir().mkpath(path));
        } else if (!name.isEmpty()) {
            path = f.env.writeFile(name, content);
            if (executable)
                QFile(path).setPermissions(QFile(path).permissions() | QFile::ExeOwner);
        }
        const auto cover = coverWithPicture(f, 1, f.picture(QStringLiteral("inside.png")));
        cover->setFilePictureInside(path);

        f.ui.answerMessage(MsgResult::Ok);
        f.window->mnuInsertObject_Click();
        QCOMPARE(f.ui.messages.size(), 1);
        QCOMPARE(f.ui.messages.at(0).text, LangString(1382) + QStringLiteral("\r\n") + path);
        QCOMPARE(f.ui.messages.at(0).title, QStringLiteral("ORVLA"));
        QCOMPARE(f.ui.messages.at(0).buttons, MsgButtons::Ok);
        QTest::qWait(100);
        QVERIFY(m_opened.urls.isEmpty());
        QCOMPARE(f.ui.busyDepth, 0);

        // The editor the user named is trusted with whatever file the face holds.
        const QString record = f.env.path(QStringLiteral("record.txt"));
        platform::setEditorPath(writeEditor(f.env.path(QStringLiteral("tools/edit")), record));
        f.window->mnuInsertObject_Click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QCOMPARE(recordedArguments(record), (QStringList{QStringLiteral("1"), path}));
        QCOMPARE(f.ui.messages.size(), 1);
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
