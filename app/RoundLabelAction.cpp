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
    m_set.follow(set, [this](CoverSet* followed) {
        return QList<QMetaObject::Connection>{
            connect(followed, &CoverSet::faceChanged, this, &RoundLabelAction::refresh),
            connect(followed, &CoverSet::positionChanged, this, &RoundLabelAction::refresh)};
    });
    refresh();
}

void RoundLabelAction::toggle()
{
    CoverSet* set = m_set.set();
    if (set && set->position() == kCdFace) {
        DiscShape shape = set->face(kCdFace).shape();
        shape.round = !shape.round;
        set->setDiscShape(shape);
    }
    refresh();
}

void RoundLabelAction::refresh()
{
    const CoverSet* set = m_set.set();
    const bool onCd = set && set->position() == kCdFace;
    m_action->setEnabled(onCd);
    m_action->setChecked(onCd && set->face(kCdFace).shape().round);
}
