#include "TrackListImport.h"

#include "AppInfo.h"
#include "AudioTags.h"
#include "CoverSet.h"
#include "LangRuntime.h"
#include "TextPanel.h"
#include "TrackListReader.h"
#include "Ui.h"

#include <array>

namespace {

// A message names at most this many files; a folder of damaged files would fill the screen.
constexpr qsizetype kNamedFiles = 20;
constexpr int kFront = 0;

void tell(const QString& text)
{
    platform::ui().messageBox(text, platform::applicationTitle(), platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation);
}

void tellUnread(const QList<TrackListReader::Unread>& unread)
{
    QString text = LangString(1618);
    for (qsizetype i = 0; i < unread.size() && i < kNamedFiles; ++i) {
        int why = 1620;
        if (unread[i].failure == TrackListReader::Failure::CueTooLarge)
            why = 1622;
        else if (unread[i].failure == TrackListReader::Failure::CueWithoutTracks)
            why = 1624;
        text += QStringLiteral("\r\n") + unread[i].path + QStringLiteral(" (") + LangString(why) +
                QLatin1Char(')');
    }
    if (unread.size() > kNamedFiles)
        text += QStringLiteral("\r\n") + LangString(1630).arg(unread.size() - kNamedFiles);
    tell(text);
}

} // namespace

QString TrackListImport::filter()
{
    QStringList patterns;
    for (const QString& ext : TrackListReader::audioExtensions())
        patterns.append(QStringLiteral("*.") + ext);
    patterns.append(QStringLiteral("*.cue"));
    return LangString(1610) + QLatin1Char('|') + patterns.join(QLatin1Char(';'));
}

int TrackListImport::run(CoverSet& set, Choose choose)
{
    platform::FileDialogRequest request;
    request.fileMustExist = true;
    QStringList paths;
    if (choose == Choose::Folder) {
        request.kind = platform::FileDialogRequest::Kind::Folder;
        request.title = LangString(1612);
        const QString folder = platform::ui().fileDialog(request);
        if (!folder.isEmpty())
            paths.append(folder);
    } else {
        request.kind = platform::FileDialogRequest::Kind::OpenFiles;
        request.title = LangString(1608);
        request.filter = filter();
        paths = platform::ui().fileDialogFiles(request);
    }
    return paths.isEmpty() ? -1 : fromPaths(set, paths);
}

int TrackListImport::fromPaths(CoverSet& set, const QStringList& paths)
{
    TrackListReader::Result read;
    {
        const platform::BusyCursor busy;
        read = TrackListReader(&platform::AudioTags::read).read(paths);
    }
    if (read.tracks.isEmpty()) {
        if (read.unread.isEmpty())
            tell(LangString(1626));
        else
            tellUnread(read.unread);
        return -1;
    }
    const int face = set.position();
    if (!isFaceIndex(face) || set.face(face).texts().size() >= TextBlock::kMaxPerFace) {
        tell(LangString(1628));
        return -1;
    }

    const QString album = read.tracks.albumLine();
    const bool albumToo =
        !album.isEmpty() &&
        platform::ui().messageBox(LangString(1616).arg(album), platform::applicationTitle(),
                                  platform::MsgButtons::YesNo,
                                  platform::MsgIcon::Question) == platform::MsgResult::Yes;
    std::array<TextBlocks, kFaceCount> texts;
    for (const FaceInfo& info : kFaces)
        texts[size_t(info.index)] = set.face(info.index).texts();
    const auto room = [&texts](int f, int blocks) {
        return texts[size_t(f)].size() + blocks <= TextBlock::kMaxPerFace;
    };
    TextBlock list = read.tracks.block(set.face(face).sizeMm(face), LangString(1614));
    if (albumToo) {
        // The list keeps clear of the title on the Front; a face with no room left for the
        // line goes without it.
        const TextBlock title = read.tracks.titleBlock(set.face(kFront).sizeMm(kFront));
        if (room(kFront, face == kFront ? 2 : 1)) {
            texts[kFront].append(title);
            if (face == kFront)
                list.box.setTop(title.box.bottom() + TrackList::kMarginMm / 2);
        }
        if (room(kBackFace, face == kBackFace ? 3 : 2))
            texts[kBackFace] << TextPanel::spineBlocks(read.tracks.albumLine());
    }
    texts[size_t(face)].append(list);
    const int index = int(texts[size_t(face)].size()) - 1;

    // The current face first: it is the one shown when the step is undone.
    QList<std::pair<int, Face>> changes = {{face, set.face(face).withTexts(texts[size_t(face)])}};
    for (const int other : {kFront, kBackFace}) {
        if (other != face)
            changes.append({other, set.face(other).withTexts(texts[size_t(other)])});
    }
    set.changeFaces(changes);
    set.setSelectedText(index);
    if (!read.unread.isEmpty())
        tellUnread(read.unread);
    return index;
}
