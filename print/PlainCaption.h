#pragma once

#include <QChar>
#include <QString>

// A menu item's or button's caption as a window's title: without its access key ("&&" stays
// a single "&") and without the dots that promise a dialog.
inline QString plainCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    caption = caption.trimmed();
    while (caption.endsWith(QLatin1Char('.')) || caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    return caption.trimmed();
}
