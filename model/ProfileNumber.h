#pragma once

#include <QString>

#include <cmath>

// Numbers as the cover-set file keeps them: a decimal point, at most two decimals (a
// hundredth of a millimetre), no trailing zeros.
inline QString profileNumber(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// A number the file holds, blanks around it allowed; false (and `value` as it was) for
// anything else, infinities and NaN included.
inline bool readProfileNumber(const QString& text, double* value)
{
    bool ok = false;
    const double read = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(read))
        return false;
    *value = read;
    return true;
}
