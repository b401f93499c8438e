#include "TextPanel.h"

#include "DiscShapeBox.h"
#include "LangRuntime.h"
#include "TrackListImport.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kBack = kBackFace;
// Where a new block goes on a face: across its upper part, inside the cut line.
QRectF newBox(const QSizeF& face)
{
    return QRectF(10, 10, face.width() - 20, 20);
}

QString withoutAccessKey(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// The English program turns the spines to read top to bottom, the others bottom to top.
int spineRotation()
{
    const QString name = lang::LangRuntime::instance().languageName();
    return name.compare(QLatin1String("English"), Qt::CaseInsensitive) == 0 ? 90 : 270;
}

} // namespace

TextPanel::TextPanel(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("TextPanel"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_none = new QLabel(body);
    m_none->setWordWrap(true);
    layout->addWidget(m_none);
    m_controls = buildControls();
    layout->addWidget(m_controls);
    layout->addStretch(1);
    setWidget(body);
    // The texts come with the main window's, once the language database is read.
    refresh();
}

QWidget* TextPanel::buildControls()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    m_discShape = new DiscShapeBox(box);
    layout->addWidget(m_discShape);
    m_listLabel = new QLabel(box);
    m_list = new QListWidget(box);
    m_list->setObjectName(QStringLiteral("lstTexts"));
    m_list->setMaximumHeight(110);
    m_listLabel->setBuddy(m_list);
    auto* buttons = new QHBoxLayout;
    m_add = new QPushButton(box);
    m_delete = new QPushButton(box);
    m_spine = new QPushButton(box);
    // A click asks for files; the arrow offers a folder as well.
    m_trackList = new QToolButton(box);
    m_trackList->setObjectName(QStringLiteral("btnTrackList"));
    m_trackList->setPopupMode(QToolButton::MenuButtonPopup);
    m_trackList->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_trackList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* trackMenu = new QMenu(m_trackList);
    m_trackListFiles = trackMenu->addAction(QString());
    m_trackListFolder = trackMenu->addAction(QString());
    m_trackList->setMenu(trackMenu);
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    layout->addWidget(m_listLabel);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->addWidget(m_spine);
    layout->addWidget(m_trackList);

    m_textLabel = new QLabel(box);
    m_text = new QPlainTextEdit(box);
    m_text->setObjectName(QStringLiteral("txtText"));
    // One history, the set's: Ctrl+Z undoes the set's last change here too.
    m_text->setUndoRedoEnabled(false);
    m_text->setTabChangesFocus(false);
    m_text->setMinimumHeight(90);
    m_textLabel->setBuddy(m_text);
    layout->addWidget(m_textLabel);
    layout->addWidget(m_text, 1);

    auto* form = new QFormLayout;
    m_fontLabel = new QLabel(box);
    m_font = new QFontComboBox(box);
    m_font->setEditable(false);
    m_sizeLabel = new QLabel(box);
    m_size = new QDoubleSpinBox(box);
    m_size->setRange(TextBlock::kMinSize, TextBlock::kMaxSize);
    m_size->setSingleStep(0.5);
    m_size->setDecimals(1);
    m_size->setKeyboardTracking(false);
    m_alignLabel = new QLabel(box);
    m_align = new QComboBox(box);
    m_rotationLabel = new QLabel(box);
    m_rotation = new QComboBox(box);
    m_columnsLabel = new QLabel(box);
    m_columns = new QSpinBox(box);
    m_columns->setRange(1, TextBlock::kMaxColumns);
    m_bold = new QCheckBox(box);
    m_italic = new QCheckBox(box);
    m_shrink = new QCheckBox(box);
    m_colour = new QPushButton(box);
    const std::pair<QLabel*, QWidget*> rows[] = {{m_fontLabel, m_font},
                                                 {m_sizeLabel, m_size},
                                                 {m_alignLabel, m_align},
                                                 {m_rotationLabel, m_rotation},
                                                 {m_columnsLabel, m_columns}};
    for (const auto& [label, field] : rows) {
        label->setBuddy(field);
        form->addRow(label, field);
    }
    auto* styles = new QHBoxLayout;
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_colour);
    form->addRow(styles);
    form->addRow(m_shrink);
    layout->addLayout(form);

    // The order a user goes through them with Tab.
    const QList<QWidget*> order = {m_list,    m_add,  m_delete, m_spine,  m_trackList,
                                   m_text,    m_font, m_size,   m_align,  m_rotation,
                                   m_columns, m_bold, m_italic, m_colour, m_shrink};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget* field : {static_cast<QWidget*>(m_text), static_cast<QWidget*>(m_size),
                           static_cast<QWidget*>(m_columns)})
        field->installEventFilter(this);

    connect(m_add, &QPushButton::clicked, this, &TextPanel::addText);
    connect(m_spine, &QPushButton::clicked, this, &TextPanel::addSpineText);
    connect(m_trackList, &QToolButton::clicked, this, [this] { addTrackList(false); });
    connect(m_trackListFiles, &QAction::triggered, this, [this] { addTrackList(false); });
    connect(m_trackListFolder, &QAction::triggered, this, [this] { addTrackList(true); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_set && m_set->selectedText() >= 0)
            m_set->removeText(face(), m_set->selectedText());
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_refreshing && m_set)
            m_set->setSelectedText(row);
    });
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_text->toPlainText();
        changeSelected([&](TextBlock& b) { b.text = text; }, true);
    });
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        changeSelected([&](TextBlock& b) { b.font = font.family(); });
    });
    connect(m_size, &QDoubleSpinBox::valueChanged, this,
            [this](double size) { changeSelected([&](TextBlock& b) { b.size = size; }); });
    connect(m_bold, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([&](TextBlock& b) { b.bold = on; }); });
    connect(m_italic, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([&](TextBlock& b) { b.italic = on; }); });
    connect(m_shrink, &QCheckBox::toggled, this,
            [this](bool on) { changeSelected([&](TextBlock& b) { b.shrink = on; }); });
    connect(m_align, &QComboBox::currentIndexChanged, this, [this](int index) {
        changeSelected([&](TextBlock& b) { b.align = TextBlock::Align(qBound(0, index, 2)); });
    });
    connect(m_rotation, &QComboBox::currentIndexChanged, this, [this](int index) {
        changeSelected([&](TextBlock& b) { b.rotation = qBound(0, index, 3) * 90; });
    });
    connect(m_columns, &QSpinBox::valueChanged, this,
            [this](int columns) { changeSelected([&](TextBlock& b) { b.columns = columns; }); });
    connect(m_colour, &QPushButton::clicked, this, &TextPanel::chooseColour);
    return box;
}

bool TextPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The fields keep no history: Undo and Redo are the set's, so the fields must not take
    // their keys for themselves. Their other editing keys (Cut, Copy, Paste, Select All) they
    // keep, ahead of the menu commands on the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void TextPanel::applyTexts()
{
    setWindowTitle(LangString(1492));
    m_discShape->applyTexts();
    m_none->setText(LangString(1530));
    m_listLabel->setText(LangString(1526));
    m_add->setText(LangString(1494));
    m_delete->setText(LangString(1496));
    m_spine->setText(LangString(1498));
    m_trackList->setText(LangString(1600));
    m_trackList->setToolTip(LangString(1606));
    m_trackListFiles->setText(LangString(1602));
    m_trackListFolder->setText(LangString(1604));
    m_textLabel->setText(LangString(1524));
    m_fontLabel->setText(LangString(1500));
    m_sizeLabel->setText(LangString(1502));
    m_bold->setText(LangString(1504));
    m_italic->setText(LangString(1506));
    m_colour->setText(LangString(1508));
    m_alignLabel->setText(LangString(1510));
    m_rotationLabel->setText(LangString(1518));
    m_columnsLabel->setText(LangString(1520));
    m_shrink->setText(LangString(1522));
    const bool was = m_refreshing;
    m_refreshing = true;
    const int align = m_align->currentIndex();
    m_align->clear();
    for (int text : {1512, 1514, 1516})
        m_align->addItem(LangString(text));
    m_align->setCurrentIndex(qMax(0, align));
    const int rotation = m_rotation->currentIndex();
    m_rotation->clear();
    for (int text : {1542, 1544, 1546, 1548})
        m_rotation->addItem(LangString(text));
    m_rotation->setCurrentIndex(qMax(0, rotation));
    m_refreshing = was;
    // Screen readers name each field by its label.
    const std::pair<QWidget*, QLabel*> named[] = {
        {m_list, m_listLabel},   {m_text, m_textLabel},       {m_font, m_fontLabel},
        {m_size, m_sizeLabel},   {m_align, m_alignLabel},     {m_rotation, m_rotationLabel},
        {m_columns, m_columnsLabel}};
    for (const auto& [field, label] : named)
        field->setAccessibleName(withoutAccessKey(label->text()).remove(QLatin1Char(':')).trimmed());
    refresh();
}

void TextPanel::setCoverSet(CoverSet* set)
{
    if (m_set == set)
        return;
    for (const QMetaObject::Connection& c : std::as_const(m_setConnections))
        disconnect(c);
    m_setConnections.clear();
    m_set = set;
    m_discShape->setCoverSet(set);
    if (set) {
        const auto follow = [this] { refresh(); };
        m_setConnections = {connect(set, &CoverSet::faceChanged, this, follow),
                            connect(set, &CoverSet::positionChanged, this, follow),
                            connect(set, &CoverSet::selectedTextChanged, this, follow)};
    }
    refresh();
}

int TextPanel::face() const
{
    return m_set ? m_set->position() : 0;
}

void TextPanel::refresh()
{
    const bool open = m_set != nullptr;
    m_none->setVisible(!open);
    m_controls->setEnabled(open);
    m_controls->setVisible(open);
    m_refreshing = true;
    const TextBlocks blocks = open ? m_set->face(face()).texts() : TextBlocks();
    const int selected = open ? m_set->selectedText() : -1;
    QStringList items;
    for (const TextBlock& block : blocks) {
        const QString first = block.text.section(QLatin1Char('\n'), 0, 0).simplified();
        items.append(first.isEmpty() ? LangString(1534) : first);
    }
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown.append(m_list->item(i)->text());
    if (shown != items) {
        m_list->clear();
        m_list->addItems(items);
    }
    m_list->setCurrentRow(selected);
    m_spine->setVisible(open && face() == kBack);
    m_add->setEnabled(open && blocks.size() < TextBlock::kMaxPerFace);
    m_trackList->setEnabled(m_add->isEnabled());
    const bool has = selected >= 0 && selected < blocks.size();
    m_delete->setEnabled(has);
    for (QWidget* w : {static_cast<QWidget*>(m_text), static_cast<QWidget*>(m_font),
                       static_cast<QWidget*>(m_size), static_cast<QWidget*>(m_bold),
                       static_cast<QWidget*>(m_italic), static_cast<QWidget*>(m_colour),
                       static_cast<QWidget*>(m_align), static_cast<QWidget*>(m_rotation),
                       static_cast<QWidget*>(m_columns), static_cast<QWidget*>(m_shrink)})
        w->setEnabled(has);
    if (has) {
        const TextBlock& b = blocks[selected];
        // The text is set only when it differs, so the cursor stays where the user types.
        if (m_text->toPlainText() != b.text)
            m_text->setPlainText(b.text);
        m_font->setCurrentFont(QFont(b.font));
        m_size->setValue(b.size);
        m_bold->setChecked(b.bold);
        m_italic->setChecked(b.italic);
        m_shrink->setChecked(b.shrink);
        m_align->setCurrentIndex(int(b.align));
        m_rotation->setCurrentIndex(b.rotation / 90);
        m_columns->setValue(b.columns);
        QPixmap swatch(12, 12);
        swatch.fill(b.color);
        m_colour->setIcon(QIcon(swatch));
    } else {
        m_text->clear();
        m_colour->setIcon(QIcon());
    }
    m_refreshing = false;
}

template <typename Change> void TextPanel::changeSelected(Change change, bool typing)
{
    if (m_refreshing || !m_set)
        return;
    const int index = m_set->selectedText();
    const TextBlocks& blocks = m_set->face(face()).texts();
    if (index < 0 || index >= blocks.size())
        return;
    TextBlock block = blocks[index];
    change(block);
    m_set->changeText(face(), index, block, typing);
}

void TextPanel::chooseColour()
{
    if (!m_set || m_set->selectedText() < 0)
        return;
    const QColor current = m_set->face(face()).texts()[m_set->selectedText()].color;
    const QColor chosen = QColorDialog::getColor(current, this, LangString(1532));
    if (chosen.isValid())
        changeSelected([&](TextBlock& b) { b.color = chosen; });
}

void TextPanel::addText()
{
    if (!m_set)
        return;
    TextBlock block;
    block.text = LangString(1528);
    block.box = newBox(m_set->face(face()).sizeMm(face()));
    const int index = m_set->addText(face(), block);
    if (index >= 0) {
        m_set->setSelectedText(index);
        show();
        m_text->setFocus();
        m_text->selectAll();
    }
}

TextBlocks TextPanel::spineBlocks(const QString& line)
{
    TextBlock spine;
    spine.text = line;
    spine.size = 8;
    spine.align = TextBlock::Align::Center;
    spine.rotation = spineRotation();
    spine.box = QRectF(0, 0, TextBlock::kSpineWidthMm, kFaces[kBack].heightMm);
    TextBlock right = spine;
    right.box.moveLeft(kFaces[kBack].widthMm - TextBlock::kSpineWidthMm);
    return {spine.normalized(), right.normalized()};
}

void TextPanel::addSpineText()
{
    if (!m_set || face() != kBack)
        return;
    QString line = m_text->toPlainText().section(QLatin1Char('\n'), 0, 0).trimmed();
    const TextBlocks blocks = m_set->face(kBack).texts();
    if (line.isEmpty() && !blocks.isEmpty())
        line = blocks.constFirst().text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (line.isEmpty())
        line = LangString(1528);
    TextBlocks after = blocks;
    after << spineBlocks(line);
    m_set->changeTexts(kBack, after);
    m_set->setSelectedText(int(after.size()) - 2);
}

void TextPanel::addTrackList(bool folder)
{
    if (!m_set)
        return;
    const int index = TrackListImport::run(*m_set, folder ? TrackListImport::Choose::Folder
                                                          : TrackListImport::Choose::Files);
    if (index >= 0)
        show();
}
