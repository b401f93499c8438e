#pragma once

#include "CoverSet.h"

#include <QDockWidget>
#include <QPointer>

class DiscShapeBox;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

// The Text panel: the text blocks of the active window's current face, and the selected
// block's text and properties. Every change goes to the set (one undo step each; typing into
// one block is one step); the panel follows the set through its signals, whoever changed it.
class TextPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit TextPanel(QWidget* parent);

    // The set whose current face the panel works on; nullptr when no window is open.
    void setCoverSet(CoverSet* set);
    CoverSet* coverSet() const { return m_set; }

    // Adds a block to the current face and selects it.
    void addText();
    // The Back's two spines, holding the text field's line (or the first block's).
    void addSpineText();
    // The two blocks on the Back's spines holding `line`, turned the way the language in use
    // turns them.
    static TextBlocks spineBlocks(const QString& line);
    void applyTexts();

    // The panel's fields, for tests.
    QPlainTextEdit* textField() const { return m_text; }
    QListWidget* blockList() const { return m_list; }
    QToolButton* trackListButton() const { return m_trackList; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildControls();
    // Shows what the set holds; nothing it sets goes back to the set.
    void refresh();
    int face() const;
    // The selected block, changed by `change` and given back to the set as one step (one
    // step while typing into the same block).
    template <typename Change> void changeSelected(Change change, bool typing = false);
    void chooseColour();
    void addTrackList(bool folder);

    QPointer<CoverSet> m_set;
    QList<QMetaObject::Connection> m_setConnections;
    bool m_refreshing = false;

    QLabel* m_none = nullptr;
    DiscShapeBox* m_discShape = nullptr;
    QWidget* m_controls = nullptr;
    QLabel* m_listLabel = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_spine = nullptr;
    QToolButton* m_trackList = nullptr;
    QAction* m_trackListFiles = nullptr;
    QAction* m_trackListFolder = nullptr;
    QLabel* m_textLabel = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_fontLabel = nullptr;
    QFontComboBox* m_font = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QDoubleSpinBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QPushButton* m_colour = nullptr;
    QLabel* m_alignLabel = nullptr;
    QComboBox* m_align = nullptr;
    QLabel* m_rotationLabel = nullptr;
    QComboBox* m_rotation = nullptr;
    QLabel* m_columnsLabel = nullptr;
    QSpinBox* m_columns = nullptr;
    QCheckBox* m_shrink = nullptr;
};
