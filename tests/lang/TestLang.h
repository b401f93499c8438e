#pragma once

#include "LangLoader.h"
#include "RecordingHost.h"
#include "ScriptedUi.h"
#include "TestEnv.h"

#include <QObject>

#include <memory>

// Helpers shared by the test's source files.
namespace langtest {

// A message box as one comparable line: title, icon, buttons and text.
QString box(const ScriptedUi::Message& m);
QString loadErrorBox(const QString& text);
QString fatalBox(const QString& text);
// The language number in the settings store, "<none>" when there is none.
QString savedLanguage();
// One language "A" with the given string lines, sized by base and step.
QByteArray oneLanguage(const QList<QByteArray>& lines, int base, int step);

} // namespace langtest

// The language database: its loader (header, choice of language, section, string lines) and
// the program-wide lookup over it.
class TestLang : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // The header
    void leadingNumber_data();
    void leadingNumber();
    void headerKeys_data();
    void headerKeys();
    void fatalMessages();

    // The choice of language
    void languageChoice_data();
    void languageChoice();
    void chooserWithoutAnswer();
    void choiceSavedToSettings();

    // Finding the section
    void startPosition_data();
    void startPosition();
    void sectionNotFound_data();
    void sectionNotFound();
    void startPositionZeroAsks();

    // String lines
    void stringLines_data();
    void stringLines();
    void lineWithoutEquals_data();
    void lineWithoutEquals();
    void shortSectionRunsIntoNext();
    void endOfFileAskedOnce();
    void numbersOutsideTable_data();
    void numbersOutsideTable();
    void loadErrorAnswers_data();
    void loadErrorAnswers();

    // The table and its lookup
    void hugeTable_data();
    void hugeTable();
    void hugeTableAbort();
    void tableBounds();
    void loadOnceAndReload();
    void failedReloadKeepsTheLanguageInUse();

    void randomDatabases();
    void shippedDatabase();

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;

    lang::LangLoader::Result load(const QByteArray& bytes, int current, RecordingHost& host);
    void install(const QByteArray& bytes) const
    {
        m_env->writeFile(QStringLiteral("Spoken.DBF"), bytes);
    }
    QString dbPath() const { return m_env->path(QStringLiteral("Spoken.DBF")); }
};
