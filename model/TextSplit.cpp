#include "TextSplit.h"

QString TextBefore(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.left(at);
}

QString TextAfter(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + separator.size());
}
