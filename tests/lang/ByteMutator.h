#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Damages language databases the way disks, editors and careless translators do: random
// bytes, flipped and lost bytes, other line ends, cut files and header numbers that are
// far too large, negative or no numbers at all.
class ByteMutator
{
public:
    explicit ByteMutator(quint32 seed) : m_random(seed) {}

    QByteArray randomBytes();
    QByteArray mutate(QByteArray bytes);

    int bounded(int n) { return int(m_random.bounded(n)); }

private:
    QByteArray randomFragment();
    void mutateOnce(QByteArray& bytes);
    void replaceHeaderNumber(QByteArray& bytes);

    QRandomGenerator m_random;
};
