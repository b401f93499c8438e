#include "ByteMutator.h"

#include <QList>

namespace {

const QList<QByteArray> kFragments = {"[",
                                      "]",
                                      "=",
                                      "\r\n",
                                      "\n",
                                      "\r",
                                      "\"",
                                      " ",
                                      "~~",
                                      "???",
                                      "[SPOKEN]\r\n",
                                      "NumLanguages=",
                                      "Language1=",
                                      "Language1Start=",
                                      "NumStrings=",
                                      "StringIndexBase=",
                                      "StringIndexStep=",
                                      "S1000=",
                                      "[Alpha]\r\n",
                                      "\xC3\xA9",
                                      "\xE9",
                                      "\xF0\x9F\x98",
                                      QByteArray(1, '\0'),
                                      "2147483648",
                                      "-1",
                                      "7"};

// Numbers at the edges of what the header's 16- and 32-bit fields hold, and texts that are
// no number at all.
const QList<QByteArray> kNumbers = {"0",           "-1",
                                    "1",           "2",
                                    "3",           "7",
                                    "32767",       "32768",
                                    "-32769",      "65536",
                                    "2147483647",  "2147483648",
                                    "-2147483648", "-2147483649",
                                    "1073741824",  "2000000000",
                                    "4194303",     "99999999999999999999999",
                                    "???",         "",
                                    "12abc",       "  5  ",
                                    "\"3\"",       "-"};

const QList<QByteArray> kHeaderKeys = {"NumLanguages",    "NumStrings",     "StringIndexBase",
                                       "StringIndexStep", "Language1Start", "Language2Start",
                                       "Language3Start"};

} // namespace

QByteArray ByteMutator::randomFragment()
{
    if (m_random.bounded(3) == 0)
        return QByteArray(1, char(m_random.bounded(256)));
    return kFragments.at(m_random.bounded(kFragments.size()));
}

QByteArray ByteMutator::randomBytes()
{
    QByteArray bytes;
    for (int i = int(m_random.bounded(80)); i > 0; --i)
        bytes += randomFragment();
    return bytes;
}

QByteArray ByteMutator::mutate(QByteArray bytes)
{
    for (int i = 1 + int(m_random.bounded(3)); i > 0; --i)
        mutateOnce(bytes);
    return bytes;
}

void ByteMutator::mutateOnce(QByteArray& bytes)
{
    const auto at = [&](qsizetype extra) {
        return qsizetype(m_random.bounded(quint32(bytes.size() + extra)));
    };
    switch (m_random.bounded(7)) {
    case 0:
        for (int i = 1 + int(m_random.bounded(4)); i > 0 && !bytes.isEmpty(); --i)
            bytes[at(0)] = char(m_random.bounded(256));
        break;
    case 1:
        if (!bytes.isEmpty()) {
            const qsizetype from = at(0);
            bytes.remove(from, qsizetype(m_random.bounded(40)));
        }
        break;
    case 2:
        bytes.insert(at(1), randomFragment());
        break;
    case 3:
        if (!bytes.isEmpty()) {
            const qsizetype from = at(0);
            bytes.insert(at(1), bytes.mid(from, qsizetype(m_random.bounded(200))));
        }
        break;
    case 4:
        bytes.truncate(at(1));
        break;
    case 5:
        bytes.replace("\r\n", m_random.bounded(2) ? "\n" : "\r");
        break;
    default:
        replaceHeaderNumber(bytes);
        break;
    }
}

void ByteMutator::replaceHeaderNumber(QByteArray& bytes)
{
    const QByteArray key = kHeaderKeys.at(m_random.bounded(kHeaderKeys.size())) + '=';
    const qsizetype begin = bytes.indexOf(key);
    if (begin < 0)
        return;
    const qsizetype valueBegin = begin + key.size();
    qsizetype end = valueBegin;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    bytes.replace(valueBegin, end - valueBegin, kNumbers.at(m_random.bounded(kNumbers.size())));
}
