#pragma once

#include <QString>

// A site is kept as one text, name + " -> " + address, and is split again at the first
// separator only: a separator further on belongs to the second part.

// The part before the first occurrence of separator; "" when it does not occur.
QString TextBefore(const QString& text, const QString& separator);
// The part after the first occurrence of separator, to the end; "" when it does not occur.
QString TextAfter(const QString& text, const QString& separator);
