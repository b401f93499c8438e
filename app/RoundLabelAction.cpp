#include "RoundLabelAction.h"

#include <QAction>

RoundLabelAction::RoundLabelAction(QAction* action, QObject* parent)
    : QObject(parent), m_action(action)
{
    m_action->setCheckable(true);
    connect(m_action, &QAction::triggered, this, &RoundLabelAction::toggle);
    refresh();
}

void RoundLabelAction::setCoverSet(CoverSet* set)
{
    if (m_set == set)
        return;
    for (const QMetaObject::Connection& c : std::as_const(m_setConnections))
        disconnect(c);
    m_setConnections.clear();
    m_set = set;
    if (set) {
        m_setConnections = {
            connect(set, &CoverSet::faceChanged, this, &RoundLabelAction::refresh),
            connect(set, &CoverSet::positionChanged, this, &RoundLabelAction::refresh)};
    }
    refresh();
}

void RoundLabelAction::toggle()
{
    if (m_set && m_set->position() == kCdFace) {
        DiscShape shape = m_set->face(kCdFace).shape();
        shape.round = !shape.round;
        m_set->setDiscShape(shape);
    }
    refresh();
}

void RoundLabelAction::refresh()
{
    const bool onCd = m_set && m_set->position() == kCdFace;
    m_action->setEnabled(onCd);
    m_action->setChecked(onCd && m_set->face(kCdFace).shape().round);
}
