#pragma once

#include <QString>

// A file is a cover-set file by its extension after the last dot, in any letter case.
inline bool isCoverSetFileName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return dot > slash && path.mid(dot + 1).compare(QLatin1String("ovc"), Qt::CaseInsensitive) == 0;
}
