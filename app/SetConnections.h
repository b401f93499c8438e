#pragma once

#include "CoverSet.h"

#include <QList>
#include <QPointer>

// A window part's connections to the set it shows, made when it starts to show a set and
// dropped together when it shows another (or none).
class SetConnections
{
public:
    // Follows `set` from now on: the old connections go, and `make` (called unless `set` is
    // nullptr) gives the new ones. False when `set` is the one already followed.
    template <typename Make> bool follow(CoverSet* set, Make make)
    {
        if (m_set == set)
            return false;
        for (const QMetaObject::Connection& c : std::as_const(m_connections))
            QObject::disconnect(c);
        m_connections.clear();
        m_set = set;
        if (set)
            m_connections = make(set);
        return true;
    }
    CoverSet* set() const { return m_set; }

private:
    QPointer<CoverSet> m_set;
    QList<QMetaObject::Connection> m_connections;
};
