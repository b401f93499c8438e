#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Builds a language database in the shipped layout: a [SPOKEN] header with exact start
// positions, then one section per language with one "S<number>=<text>" line for every
// number base, base + step, ... (numStrings lines). Texts are written as given.
struct TestLanguage
{
    QString name;
    QMap<int, QString> strings;
};
QByteArray makeDatabase(const QList<TestLanguage>& languages, int base = 1000, int step = 2,
                        int numStrings = 189);
