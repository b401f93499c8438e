#pragma once

#include "SetConnections.h"

#include <QObject>

class QAction;

// The Edit menu's "Round label": offered on the CD face, ticked when its shape is round, and
// turning it between the rectangle and the round label (keeping the label's diameters).
class RoundLabelAction : public QObject
{
    Q_OBJECT

public:
    RoundLabelAction(QAction* action, QObject* parent);

    void setCoverSet(CoverSet* set);

private:
    void toggle();
    void refresh();

    QAction* m_action;
    SetConnections m_set;
};
