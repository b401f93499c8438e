#include "AudioTags.h"

#include <QFile>
#include <QFileInfo>

#include <fileref.h>
#include <tag.h>
#include <tpropertymap.h>

namespace platform {
namespace {

QString text(const TagLib::String& s)
{
    return QString::fromUtf8(s.toCString(true)).trimmed();
}

QString first(const TagLib::PropertyMap& properties, const char* key)
{
    const auto found = properties.find(key);
    return found == properties.end() || found->second.isEmpty() ? QString()
                                                                : text(found->second.front());
}

// "2" or "2/3": the number before the slash.
int leadingNumber(const QString& value)
{
    bool ok = false;
    const int n = value.section(QLatin1Char('/'), 0, 0).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

std::optional<AudioTags> AudioTags::read(const QString& path)
{
    // TagLib would wait forever on a pipe and read a device; only files are its business.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const QByteArray name = QFile::encodeName(path);
    const TagLib::FileRef file(name.constData(), true, TagLib::AudioProperties::Average);
    // TagLib takes a file by its extension and may find no sound in it at all (an MP3 of
    // tags only): that is no audio file either.
    const TagLib::AudioProperties* audio = file.isNull() ? nullptr : file.audioProperties();
    if (audio == nullptr || audio->sampleRate() <= 0)
        return std::nullopt;
    AudioTags tags;
    if (const TagLib::Tag* tag = file.tag()) {
        tags.title = text(tag->title());
        tags.artist = text(tag->artist());
        tags.album = text(tag->album());
        tags.track = int(qMin(tag->track(), 999u));
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    tags.disc = qMin(leadingNumber(first(properties, "DISCNUMBER")), 999);
    tags.albumArtist = first(properties, "ALBUMARTIST");
    if (audio->lengthInMilliseconds() > 0)
        tags.lengthMs = audio->lengthInMilliseconds();
    return tags;
}

} // namespace platform
