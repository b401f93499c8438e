#pragma once

#include "SetConnections.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

// The CD face's shape in the Text panel: the specified rectangle or a round label, and the
// label's outer and hole diameters. Every change is one step of the set's history; the box
// follows the set, whoever changed it.
class DiscShapeBox : public QWidget
{
    Q_OBJECT

public:
    explicit DiscShapeBox(QWidget* parent);

    void setCoverSet(CoverSet* set);
    void applyTexts();

    QComboBox* shapeField() const { return m_shape; }
    QDoubleSpinBox* outerField() const { return m_outer; }
    QDoubleSpinBox* holeField() const { return m_hole; }

private:
    void refresh();
    void changed();

    SetConnections m_set;
    bool m_refreshing = false;
    QLabel* m_shapeLabel = nullptr;
    QComboBox* m_shape = nullptr;
    QLabel* m_outerLabel = nullptr;
    QDoubleSpinBox* m_outer = nullptr;
    QLabel* m_holeLabel = nullptr;
    QDoubleSpinBox* m_hole = nullptr;
};
