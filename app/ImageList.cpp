#include "ImageList.h"

namespace {

struct ImageDef
{
    const char* key;
    const char* themeName; // freedesktop icon naming
};

// The nineteen pictures in their list order; the toolbar uses nine of them.
constexpr ImageDef kImages[] = {
    {"OPEN", "document-open"},
    {"COPY", "edit-copy"},
    {"PASTE", "edit-paste"},
    {"NEW", "document-new"},
    {"OBJECT", "document-edit"},
    {"PICTURE", "insert-image"},
    {"BOLD", "format-text-bold"},
    {"TEXT", "insert-text"},
    {"ITALIC", "format-text-italic"},
    {"LEFT", "format-justify-left"},
    {"RIGHT", "format-justify-right"},
    {"CENTER", "format-justify-center"},
    {"UNDERLINE", "format-text-underline"},
    {"SAVE", "document-save"},
    {"PRINT", "document-print"},
    {"HELP", "help-contents"},
    {"LINE", "draw-line"},
    {"CIRCLE", "draw-circle"},
    {"RECTANGLE", "draw-rectangle"},
};

} // namespace

// The icons live in a static library: their resource must be registered by hand.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

ImageList::ImageList()
{
    initIconResources();
    for (const ImageDef& def : kImages)
        m_keys.append(QString::fromLatin1(def.key));
}

QIcon ImageList::icon(const QString& key) const
{
    const auto made = m_icons.constFind(key);
    if (made != m_icons.constEnd())
        return *made;
    for (const ImageDef& def : kImages) {
        if (key != QLatin1String(def.key))
            continue;
        const QString themeName = QString::fromLatin1(def.themeName);
        const QIcon icon = QIcon::hasThemeIcon(themeName)
                               ? QIcon::fromTheme(themeName)
                               : QIcon(QStringLiteral(":/icons/") + key.toLower() +
                                       QStringLiteral(".svg"));
        m_icons.insert(key, icon);
        return icon;
    }
    return QIcon();
}
