#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Text files of this program may come from Windows: a line is read as UTF-8, or as
// Windows-1252 where it is not valid UTF-8.
QString decodeLine(const QByteArrayView bytes);
QString decodeWindows1252(const QByteArrayView bytes);

} // namespace platform
