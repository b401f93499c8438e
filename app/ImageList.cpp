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
    for (const ImageDef& def : kImages) {
        const QString key = QString::fromLatin1(def.key);
        const QIcon own(QStringLiteral(":/icons/") + key.toLower() + QStringLiteral(".svg"));
        m_keys.append(key);
        m_icons.insert(key, QIcon::fromTheme(QString::fromLatin1(def.themeName), own));
    }
}
