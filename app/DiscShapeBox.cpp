#include "DiscShapeBox.h"

#include "LangRuntime.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace {

QDoubleSpinBox* diameterField(QWidget* parent, double low, double high)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(low, high);
    field->setDecimals(1);
    field->setSingleStep(0.5);
    field->setSuffix(QStringLiteral(" mm"));
    // A typed value counts once, when it is complete, not at every digit.
    field->setKeyboardTracking(false);
    return field;
}

} // namespace

DiscShapeBox::DiscShapeBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DiscShapeBox"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_shapeLabel = new QLabel(this);
    m_shape = new QComboBox(this);
    m_shape->setObjectName(QStringLiteral("cboDiscShape"));
    m_outerLabel = new QLabel(this);
    m_outer = diameterField(this, DiscShape::kMinOuter, DiscShape::kMaxOuter);
    m_outer->setObjectName(QStringLiteral("txtDiscOuter"));
    m_holeLabel = new QLabel(this);
    m_hole = diameterField(this, 0, DiscShape::kMaxHole);
    m_hole->setObjectName(QStringLiteral("txtDiscHole"));
    m_shapeLabel->setBuddy(m_shape);
    m_outerLabel->setBuddy(m_outer);
    m_holeLabel->setBuddy(m_hole);
    form->addRow(m_shapeLabel, m_shape);
    form->addRow(m_outerLabel, m_outer);
    form->addRow(m_holeLabel, m_hole);
    connect(m_shape, &QComboBox::currentIndexChanged, this, &DiscShapeBox::changed);
    connect(m_outer, &QDoubleSpinBox::valueChanged, this, &DiscShapeBox::changed);
    connect(m_hole, &QDoubleSpinBox::valueChanged, this, &DiscShapeBox::changed);
    refresh();
}

void DiscShapeBox::applyTexts()
{
    m_shapeLabel->setText(LangString(1552));
    m_outerLabel->setText(LangString(1558));
    m_holeLabel->setText(LangString(1560));
    const bool was = m_refreshing;
    m_refreshing = true;
    const int index = m_shape->currentIndex();
    m_shape->clear();
    m_shape->addItem(LangString(1554));
    m_shape->addItem(LangString(1556));
    m_shape->setCurrentIndex(qMax(0, index));
    m_refreshing = was;
    for (QLabel* label : {m_shapeLabel, m_outerLabel, m_holeLabel})
        label->buddy()->setAccessibleName(
            label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
}

void DiscShapeBox::setCoverSet(CoverSet* set)
{
    m_set.follow(set, [this](CoverSet* followed) {
        return QList<QMetaObject::Connection>{
            connect(followed, &CoverSet::faceChanged, this,
                    [this](int face) {
                        if (face == kCdFace)
                            refresh();
                    }),
            connect(followed, &CoverSet::positionChanged, this, &DiscShapeBox::refresh)};
    });
    refresh();
}

void DiscShapeBox::refresh()
{
    setVisible(m_set.set() && m_set.set()->position() == kCdFace);
    if (!m_set.set())
        return;
    const DiscShape shape = m_set.set()->face(kCdFace).shape();
    m_refreshing = true;
    m_shape->setCurrentIndex(shape.round ? 1 : 0);
    m_outer->setValue(shape.outer);
    m_hole->setValue(shape.hole);
    m_outer->setEnabled(shape.round);
    m_hole->setEnabled(shape.round);
    m_refreshing = false;
}

void DiscShapeBox::changed()
{
    if (m_refreshing || !m_set.set())
        return;
    DiscShape shape{m_shape->currentIndex() == 1, m_outer->value(), m_hole->value()};
    m_set.set()->setDiscShape(shape);
    // A hole too small to be one is none: the field shows what the set made of it.
    refresh();
}
