#pragma once

#include "LangLoader.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// A load's surroundings for tests of the loader itself: records everything the load asks
// and answers from a script (Ignore when the script has run out).
class RecordingHost final : public lang::LoadHost
{
public:
    QStringList fatals;
    QList<lang::LoadError> errors;
    QQueue<Answer> answers;
    QList<QStringList> chooserCalls;
    QQueue<int> chooserAnswers; // -1 when run out
    QString line;               // the command line
    QList<int> chosen;
    int busyDepth = 0;
    int busyCalls = 0;
    int normalCursorCalls = 0;
    // Busy depth at each chooser call: the question must not be asked under the hourglass.
    QList<int> busyAtChooser;

    void fatal(const QString& message) override { fatals.append(message); }
    Answer loadError(lang::LoadError error) override
    {
        errors.append(error);
        return answers.isEmpty() ? Answer::Ignore : answers.dequeue();
    }
    int chooseLanguage(const QStringList& names) override
    {
        chooserCalls.append(names);
        busyAtChooser.append(busyDepth);
        return chooserAnswers.isEmpty() ? -1 : chooserAnswers.dequeue();
    }
    QString commandLine() override { return line; }
    void languageChosen(int number) override { chosen.append(number); }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        busyCalls += busy ? 1 : 0;
    }
    void setNormalCursor() override { ++normalCursorCalls; }
};
