// Track lists: audio files and cue sheets read into tracks in the order they play, the text
// and blocks made of them, and the change of several faces they make as one step.
#include "AudioSamples.h"
#include "AudioTags.h"
#include "CoverSet.h"
#include "CueSheet.h"
#include "TestEnv.h"
#include "TrackListReader.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <fileref.h>
#include <tpropertymap.h>

using namespace Qt::StringLiterals;

namespace {

// Tags written through TagLib, as a tagger would: "TITLE", "TRACKNUMBER", "DISCNUMBER" …
bool tag(const QString& path, const QList<std::pair<const char*, QString>>& fields)
{
    const QByteArray name = QFile::encodeName(path);
    TagLib::FileRef file(name.constData());
    if (file.isNull())
        return false;
    TagLib::PropertyMap map;
    for (const auto& [key, value] : fields)
        map.insert(key,
                   TagLib::StringList(TagLib::String(value.toStdString(), TagLib::String::UTF8)));
    file.file()->setProperties(map);
    return file.save();
}

TrackListReader reader()
{
    return TrackListReader(&platform::AudioTags::read);
}

QStringList titles(const TrackList& list)
{
    QStringList out;
    for (const TrackList::Track& track : list.tracks())
        out.append(track.title);
    return out;
}

QList<qint64> lengths(const TrackList& list)
{
    QList<qint64> out;
    for (const TrackList::Track& track : list.tracks())
        out.append(track.lengthMs);
    return out;
}

// A frame of MPEG-1 Layer III as TagLib measures a stream without a VBR header: its bytes at
// the stream's bit rate.
constexpr double kMp3FrameMs = 417 * 8 / 128.0;

TrackList::Track track(int disc, int number, const QString& title, const QString& file,
                       qint64 ms = 60000, const QString& artist = u"A"_s)
{
    TrackList::Track t;
    t.disc = disc;
    t.number = number;
    t.title = title;
    t.file = file;
    t.lengthMs = ms;
    t.artist = artist;
    return t;
}

} // namespace

class TestTrackList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A folder of tagged WAV and MP3 files: its audio files by extension, in the order of the
    // discs and tracks their tags give, whatever their names; the others named as unread.
    void taggedFilesPlayInTheOrderOfTheirTags()
    {
        TestEnv env;
        const QString album = env.path(u"album"_s);
        struct File
        {
            QString name;
            QByteArray bytes;
            QString disc, number, title;
        };
        const File files[] = {
            {u"10 encore.mp3"_s, audiosamples::silentMp3(77), u"2/2"_s, u"1"_s, u"Encore"_s},
            {u"b.wav"_s, audiosamples::silentWav(5000), u"1"_s, u"2"_s, u"Second"_s},
            {u"a.MP3"_s, audiosamples::silentMp3(115), u"1/2"_s, u"3"_s, u"Third"_s},
            {u"c.wav"_s, audiosamples::silentWav(4200), u"1"_s, u"1/3"_s, u"First"_s},
        };
        for (const File& f : files) {
            const QString path = env.writeFile(u"album/"_s + f.name, f.bytes);
            QVERIFY2(tag(path, {{"TITLE", f.title},
                                {"ARTIST", u"The Lanterns"_s},
                                {"ALBUMARTIST", u"The Lanterns & Friends"_s},
                                {"ALBUM", u"Night Harbour"_s},
                                {"TRACKNUMBER", f.number},
                                {"DISCNUMBER", f.disc}}),
                     qPrintable(f.name));
        }
        env.writeFile(u"album/notes.txt"_s, "not audio");
        const QString broken = env.writeFile(u"album/broken.flac"_s, "fLaC but nothing else");

        const TrackListReader::Result read = reader().read({album});
        QCOMPARE(read.unread.size(), 1);
        QCOMPARE(read.unread[0].path, broken);
        QCOMPARE(read.unread[0].failure, TrackListReader::Failure::Unreadable);
        const TrackList& list = read.tracks;
        QCOMPARE(titles(list), (QStringList{u"First"_s, u"Second"_s, u"Third"_s, u"Encore"_s}));
        const QList<qint64> ms = lengths(list);
        QVERIFY(qAbs(ms[0] - 4200) <= 1 && qAbs(ms[1] - 5000) <= 1);
        QVERIFY2(qAbs(ms[2] - 115 * kMp3FrameMs) <= 2 && qAbs(ms[3] - 77 * kMp3FrameMs) <= 2,
                 qPrintable(QString::number(ms[2]) + u' ' + QString::number(ms[3])));

        // Two discs: each number says its disc. The total is of the exact lengths.
        QCOMPARE(list.text(u"Total"_s),
                 u"1-01. First\t0:04\n1-02. Second\t0:05\n1-03. Third\t0:03\n"
                 u"2-01. Encore\t0:02\nTotal\t0:14"_s);
        QVERIFY(list.isOneAlbum());
        QCOMPARE(list.albumLine(), u"The Lanterns & Friends \u2014 Night Harbour"_s);
        const TextBlock block = list.block(QSizeF(150, 118), u"Total"_s);
        QCOMPARE(block.box, QRectF(10, 10, 130, 98));
        QVERIFY(block.shrink);
        QCOMPARE(block.columns, 1);

        // The same files chosen one by one, and twice, give the same list once.
        QStringList chosen;
        for (const File& f : files)
            chosen << env.path(u"album/"_s + f.name);
        chosen << chosen.constFirst();
        QCOMPARE(titles(reader().read(chosen).tracks), titles(list));
    }

    // How the lines are numbered and laid out, whatever the tracks came from.
    void linesNumberSortAndSplitIntoColumns()
    {
        // Every track numbered once: the tags' numbers, in their order; past 14, two columns.
        QList<TrackList::Track> many;
        for (int n = 15; n >= 1; --n)
            many.append(track(0, n, u"T"_s + QString::number(n), u"x.flac"_s));
        const TrackList fifteen(many);
        QVERIFY(fifteen.text(u"Total"_s).startsWith(u"1. T1\t1:00\n2. T2\t1:00\n"_s));
        QVERIFY(fifteen.text(u"Total"_s).endsWith(u"\n15. T15\t1:00\nTotal\t15:00"_s));
        QCOMPARE(fifteen.block(QSizeF(120, 120), u"Total"_s).columns, 2);

        // A selection keeps the disc's numbers; a number given twice makes them places.
        QCOMPARE(TrackList({track(0, 9, u"c"_s, u"3"_s), track(0, 3, u"a"_s, u"1"_s),
                            track(1, 5, u"b"_s, u"2"_s)})
                     .text(u"Total"_s),
                 u"3. a\t1:00\n5. b\t1:00\n9. c\t1:00\nTotal\t3:00"_s);
        // Without numbers, names order them as a person would ("2" before "10"), after the
        // numbered ones; artists that differ come before the titles; an unknown length has no
        // time and leaves the total out, rather than give a wrong one.
        const TrackList untagged({track(0, 0, u"ten"_s, u"/m/10 x.wav"_s, 3723000, u"B"_s),
                                  track(0, 0, u"two"_s, u"/m/2 x.wav"_s, -1),
                                  track(0, 1, u"one"_s, u"/m/z.wav"_s),
                                  track(0, 1, u"one again"_s, u"/m/a.wav"_s, 59499)});
        QCOMPARE(untagged.text(u"Total"_s),
                 u"1. A \u2013 one again\t0:59\n2. A \u2013 one\t1:00\n3. A \u2013 two\n"
                 u"4. B \u2013 ten\t1:02:03"_s);
        QVERIFY(!untagged.isOneAlbum());
        QVERIFY(untagged.albumLine().isEmpty());
    }

    // A Windows sheet with accented titles: the titles as written, the lengths from the INDEX
    // times and the last one from the length of the audio file the sheet names.
    void cueSheetsGiveTitlesAndLengths()
    {
        TestEnv env;
        env.writeFile(u"disc/album.wav"_s, audiosamples::silentWav(20000));
        const QByteArray windows =
            "REM GENRE Classical\r\nREM COMMENT \"ExactAudioCopy\"\r\n"
            "PERFORMER \"Orquesta de C\xE1mara\"\r\nTITLE \"Noches en el Caf\xE9\"\r\n"
            "FILE \"album.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"Caf\xE9\"\r\n"
            "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    TITLE F\xFCr Elise\r\n"
            "    PERFORMER \"Ludwig\"\r\n    INDEX 00 00:05:00\r\n    INDEX 01 00:05:30\r\n"
            "\x01\x02 junk \x93line\x94\r\n  TRACK 03 AUDIO\r\n    TITLE \"Se\xF1or\"\r\n"
            "    INDEX 01 00:12:00\r\n";
        const QString sheet = env.writeFile(u"disc/album.cue"_s, windows);
        const TrackListReader::Result read = reader().read({sheet});
        QVERIFY(read.unread.isEmpty());
        QCOMPARE(titles(read.tracks), (QStringList{u"Café"_s, u"Für Elise"_s, u"Señor"_s}));
        QCOMPARE(lengths(read.tracks), (QList<qint64>{5400, 6600, 8000}));
        QCOMPARE(read.tracks.tracks()[1].artist, u"Ludwig"_s);
        QCOMPARE(read.tracks.tracks()[2].artist, u"Orquesta de Cámara"_s);
        QCOMPARE(read.tracks.tracks()[2].album, u"Noches en el Café"_s);

        // The same sheet in UTF-8 with a byte order mark and other line ends reads the same;
        // a file that is not there leaves the last track without a length.
        QByteArray utf8 = "\xEF\xBB\xBF" + QString::fromLatin1(windows).toUtf8();
        utf8.replace("\r\n", "\n").replace("FILE \"album.wav\"", "FILE missing.wav");
        const CueSheet fromUtf8 = CueSheet::read(env.writeFile(u"disc/utf8.cue"_s, utf8),
                                                 [](const QString&) { return qint64(20000); });
        QCOMPARE(fromUtf8.tracks().size(), 3);
        QCOMPARE(fromUtf8.tracks()[0].title, u"Café"_s);
        QCOMPARE(fromUtf8.tracks()[2].file, env.path(u"disc/missing.wav"_s));
        QCOMPARE(reader().read({env.path(u"disc/utf8.cue"_s)}).tracks.tracks()[2].lengthMs, -1);

        // A disc holds 99 tracks: the 99th ends where the 100th starts; lines of the tracks
        // past it are no one's.
        QByteArray hundred = "FILE \"album.wav\" WAVE\r";
        for (int n = 1; n <= 120; ++n)
            hundred += "TRACK " + QByteArray::number(n) + " AUDIO\rTITLE \"T" +
                       QByteArray::number(n) + "\"\rINDEX 01 " + QByteArray::number(n) + ":00:00\r";
        const CueSheet capped = CueSheet::parse(hundred, env.path(u"disc"_s), nullptr);
        QCOMPARE(capped.tracks().size(), CueSheet::MaxTracks);
        QCOMPARE(capped.tracks().constLast().title, u"T99"_s);
        QCOMPARE(capped.tracks().constLast().lengthMs, qint64(60000));

        // Neither a sheet beyond its bound nor a file without tracks gives any.
        const QString large =
            env.writeFile(u"large.cue"_s, QByteArray(CueSheet::MaxFileBytes + 1, ' '));
        const QString empty = env.writeFile(u"empty.cue"_s, "REM nothing here\r\n");
        const TrackListReader::Result none = reader().read({large, empty});
        QVERIFY(none.tracks.isEmpty());
        QCOMPARE(none.unread.size(), 2);
        QCOMPARE(none.unread[0].failure, TrackListReader::Failure::CueTooLarge);
        QCOMPARE(none.unread[1].failure, TrackListReader::Failure::CueWithoutTracks);
    }

    // The list, the album's title on the Front and the two spines are one step, undone and
    // redone together, and stay one step when the history sheds its oldest steps.
    void severalFacesChangeAsOneStep()
    {
        CoverSet set;
        const auto big = [](QRgb rgb) {
            QImage image(5800, 5800, QImage::Format_RGB32); // 134 MB: two are past the bound
            image.fill(rgb);
            return platform::Picture::fromImage(image);
        };
        set.changeFace(3, set.face(3).showing(big(0xff0000)));
        set.changeFace(3, set.face(3).showing(big(0x00ff00)));

        TrackList list({track(1, 1, u"One"_s, u"1.flac"_s)});
        TextBlock spine;
        spine.text = u"Spine"_s;
        spine.box = QRectF(0, 0, 6.5, 118);
        const Face back =
            set.face(kBackFace).withTexts({spine, list.block(QSizeF(150, 118), u"Total"_s), spine});
        const Face front = set.face(0).withTexts({list.titleBlock(QSizeF(120, 120))});
        set.setNeedSave(false);
        const int steps = set.undoStack().count();
        set.changeFaces({{kBackFace, back}, {0, front}, {7, front}, {0, Face()}});
        QCOMPARE(set.undoStack().count(), steps + 1);
        QCOMPARE(set.face(kBackFace).texts().size(), 3);
        QCOMPARE(set.face(0).texts().size(), 1);
        QVERIFY(set.needSave());
        const auto* step = dynamic_cast<const FaceChange*>(set.undoStack().command(steps));
        QVERIFY(step && step->face() == kBackFace);

        // A newer step makes the history drop the two big pictures' steps, not this one.
        set.changeFace(3, set.face(3).showing(platform::Picture()));
        QVERIFY(set.historyPictureBytes() <= CoverSet::kUndoPictureBytes);
        QCOMPARE(set.undoStack().count(), 2);
        set.undoStack().undo();
        set.undoStack().undo();
        QVERIFY(!set.undoStack().canUndo());
        QVERIFY(set.face(kBackFace).texts().isEmpty() && set.face(0).texts().isEmpty());
        set.undoStack().redo();
        QVERIFY(set.face(kBackFace).sameAs(back) && set.face(0).sameAs(front));
    }
};

QTEST_GUILESS_MAIN(TestTrackList)
#include "tst_tracklist.moc"
