// Writes the fuzzers' starting corpora: small valid files of every kind each target reads,
// a few with the oddities the readers are meant to handle, and one or more of each of the
// size real files have. Run by scripts/fuzz.sh:
//
//   fuzz_make_seeds SOURCE_DIR OUTPUT_DIR
//
// OUTPUT_DIR gets one folder per target (profile, langdb, coverset, sitelist, picture,
// cuesheet, batchjpeg).
#include "CueSheet.h"
#include "LargeSeeds.h"
#include "TextBlock.h"
#include "PictureSamples.h"
#include "SiteList.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

QString g_out;
int g_written = 0;

bool put(const QString& target, const QString& name, const QByteArray& bytes)
{
    const QDir folder(g_out + QLatin1Char('/') + target);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder.path()));
        return false;
    }
    QFile file(folder.filePath(name));
    if (bytes.isEmpty() && target == QLatin1String("picture")) {
        // Qt's writer for that kind is missing (qt6-image-formats-plugins not installed?).
        std::fprintf(stderr, "no bytes for picture seed %s\n", qPrintable(name));
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    ++g_written;
    return true;
}

// A literal with the NULs inside it kept.
template <qsizetype N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray readSource(const QString& sourceDir, const QString& relative)
{
    QFile file(sourceDir + QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool profileSeeds()
{
    // section NUL key NUL value NUL file; without three NULs the whole input is the file.
    const auto request = [](const char* s, const char* k, const char* v, const QByteArray& f) {
        return QByteArray(s) + '\0' + k + '\0' + v + '\0' + f;
    };
    return put("profile", "plain", "[Files]\r\nImgFront=/a.jpg\r\nImgBack=\r\n") &&
           put("profile", "write-existing",
               request("Files", "ImgBack", "/b.png", "[Files]\r\nImgFront=/a\r\nImgBack=x\r\n")) &&
           put("profile", "write-new-key",
               request("files", "ImgCd", "c d", "[Other]\nk=1\n\n[FILES]\nImgFront=a\n; note\n")) &&
           put("profile", "write-new-section",
               request("Preferences", "Language", "2", "[Other]\rk=1\rlast")) &&
           put("profile", "write-empty-file", request("S", "K", "v", "")) &&
           put("profile", "quoted", "[S]\n a = \" spaced \" \nb='x'\nc=\"\nd=\"\"\n") &&
           put("profile", "duplicates", "k=before\n[S]\nk=1\nK=2\n[s]\nk=3\n[S]\nk=4\n") &&
           put("profile", "odd-lines", raw("\xEF\xBB\xBF[S]\r\n[T\r\n=v\r\n[]\r\nx=[y]\r\n\x00=\x00\n")) &&
           put("profile", "windows-1252", "[Fich\xE9]\r\nCl\xE9=caf\xE9 \x80\r\n") &&
           put("profile", "utf-8", "[Fiché]\nClé=café €\n");
}

QByteArray langInput(qint8 current, qint8 chooser, quint8 retries, quint8 commandLine,
                     const QByteArray& database)
{
    QByteArray input;
    input += char(current);
    input += char(chooser);
    input += char(retries);
    input += char(commandLine);
    return input + database;
}

bool langSeeds(const QString& sourceDir)
{
    const QByteArray shipped = readSource(sourceDir, QStringLiteral("resources/Spoken.DBF"));
    if (shipped.isEmpty()) {
        std::fprintf(stderr, "cannot read resources/Spoken.DBF\n");
        return false;
    }
    const QByteArray two = TestDatabase::standard({"English", "Deutsch"}, 4).bytes();
    const QByteArray one = TestDatabase::standard({"Solo"}, 3, 0, 1).bytes();
    TestDatabase odd;
    odd.header("NumLanguages=2")
        .header("Language1=Port")
        .header("Language1Start=1")
        .header("Language2=Portuguese")
        .header("Language2Start=@Portuguese@")
        .header("NumStrings=5")
        .header("StringIndexBase=1010")
        .header("StringIndexStep=2");
    odd.section("Port", {"S1012=\"  two  \"", "S1014=\"\"", "S1016=a~~b~~~c", "no equals", "S1012=later"});
    odd.section("Portuguese", {"S1012=x", "S9999=out of table", "S1014=", "S-4=negative"});
    TestDatabase lf = TestDatabase::standard({"English"}, 2);
    lf.lineEnd("\n");
    return put("langdb", "shipped-saved-language", langInput(2, -1, 0, 0, shipped)) &&
           put("langdb", "shipped-chooser", langInput(0, 2, 0, 0, shipped)) &&
           put("langdb", "shipped-switch", langInput(-1, -1, 0, 1, shipped)) &&
           put("langdb", "two-languages", langInput(0, 1, 0, 2, two)) &&
           put("langdb", "one-language", langInput(2, -1, 0, 0, one)) &&
           put("langdb", "odd-lines-retry", langInput(1, 0, 0x05, 4, odd.bytes())) &&
           put("langdb", "odd-lines-second", langInput(2, 1, 0, 0, odd.bytes())) &&
           put("langdb", "lf-only", langInput(1, 0, 0, 0, lf.bytes())) &&
           put("langdb", "section-last-line", langInput(1, 0, 0, 0,
                                                         "[SPOKEN]\r\nNumLanguages=1\r\n"
                                                         "Language1=A\r\nLanguage1Start=99\r\n"
                                                         "NumStrings=1\r\n[A]"));
}

bool coverSetSeeds()
{
    return put("coverset", "four-faces",
               "[Files]\r\nImgFront=/pictures/front.jpg\r\nImgInside=/pictures/inside.png\r\n"
               "ImgBack=/pictures/back.bmp\r\nImgCd=/pictures/cd.wmf\r\n") &&
           put("coverset", "back-only", "[Files]\r\nImgBack=  relative/back.gif  \r\n") &&
           put("coverset", "other-sections",
               "; made by hand\n[Print]\nFront=1\n[files]\nimgfront=\"/with blanks/ a.jpg \"\n"
               "imgcd='/x.emf'\n\n[Files]\nImgBack=/second/section/is/not/read\n") &&
           put("coverset", "empty", "") &&
           put("coverset", "windows-1252", "[Files]\r\nImgFront=C:\\Im\xE1genes\\portada.jpg\r\n") &&
           put("coverset", "text",
               "[Files]\r\nImgFront=front.png\r\n"
               "[Front.Text1]\r\nText=\\sNight \\q Harbour\\\\\\nThe Lanterns\\q\r\nFont=DejaVu Serif\r\n"
               "Size=28.5\r\nBold=1\r\nItalic=1\r\nColor=#ffeedd\r\nAlign=center\r\n"
               "Box=10,10.25,100,30\r\nRotate=0\r\nColumns=1\r\nFit=none\r\n"
               "[Back.Text1]\r\nText=01 One\\t3:45\\n02 Two\\t4:02\\n03 Three\\t10:11\r\n"
               "Size=9\r\nBox=12,10,126,90\r\nColumns=2\r\nFit=shrink\r\n"
               "[Back.Text2]\r\nText=Spine\r\nBox=0,0,6.5,118\r\nRotate=270\r\nAlign=right\r\n"
               "[Back.Text3]\r\nText=Spine\r\nBox=143.5,0,6.5,118\r\nRotate=90\r\n"
               "[Cd.Text1]\r\nText='quoted'\r\nBox=-5,-5,20,20\r\n") &&
           put("coverset", "round-label",
               "[Files]\r\nImgCd=cd.png\r\n[Layout]\r\nCdShape=round\r\nCdOuter=118.5\r\n"
               "CdHole=22\r\n[Cd.Text1]\r\nText=Side A\r\nBox=30,100,60,18\r\n") &&
           put("coverset", "label-sheet",
               "[Label sheet]\nName=Three\nPaper=210 x 297\nOuter=117\nHole=41\n"
               "Label1=61,64.5\nLabel2=149,148.5\nLabel3=61,232.5\n");
}

bool siteListSeeds(const QString& sourceDir)
{
    return put("sitelist", "shipped", readSource(sourceDir, QStringLiteral("resources/CS.DAT"))) &&
           put("sitelist", "odd-lines",
               "  Name ; http://a.example/  \r\n\r\nno separator\r\n;\r\n"
               "a;b;c\r\nx -> y;www.example.org\r\nftp;ftp://files.example/\r\n"
               "local;file:///etc/passwd\r\nlast line without end") &&
           put("sitelist", "windows-1252", "Caf\xE9;https://caf\xE9.example/\r\n") &&
           put("sitelist", "lf-and-cr", "one;https://one.example/\ntwo;https://two.example/\r");
}

bool cueSheetSeeds()
{
    return put("cuesheet", "utf-8",
               "\xEF\xBB\xBFPERFORMER \"The Lanterns\"\r\nTITLE \"Caf\xC3\xA9 Nights\"\r\n"
               "FILE \"album.flac\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"F\xC3\xBCr Elise\"\r\n"
               "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    TITLE \"Se\xC3\xB1or\"\r\n"
               "    PERFORMER \"Guest\"\r\n    INDEX 00 03:58:00\r\n    INDEX 01 04:00:37\r\n") &&
           put("cuesheet", "windows-1252",
               "REM DISCNUMBER 2\r\nTITLE \"Caf\xE9\"\r\nFILE \"C:\\Music\\caf\xE9.wav\" WAVE\r\n"
               "TRACK 01 AUDIO\r\nTITLE \"\x93Quoted\x94\"\r\nINDEX 01 00:00:00\r\n") &&
           put("cuesheet", "utf-16", raw("\xFF\xFET\0R\0A\0C\0K\0 \0\x31\0\n\0")) &&
           // One file a track, a data track, unquoted values, lines ending in CR alone, a time
           // out of range, an INDEX before any TRACK and a TRACK before any FILE.
           put("cuesheet", "odd-lines",
               "INDEX 01 00:00:00\rTRACK 07 AUDIO\rTITLE no quotes at all\rINDEX 01 1:2:3\r"
               "FILE one.wav WAVE\rTRACK 01 MODE1/2352\rINDEX 01 00:00:00\r"
               "FILE \"two.wav\" WAVE\rtrack 2 audio\rtitle \"unterminated\rINDEX 1 00:61:00\r"
               "INDEX 01 00:02:74\rFILE \"three.wav\"\rTRACK 03\rPERFORMER \"\"\r"
               "INDEX 01 999999:59:74\r\t\x01junk\r\n\r\n") &&
           put("cuesheet", "no-tracks", "REM only a remark\r\nTITLE \"Nothing\"\r\n");
}

// A 4 x 2 bitmap of 4 or 8 bits a pixel, run-length coded (`rle` as the file holds it), with
// a colour table of three entries.
QByteArray rleBitmap(int bits, const QByteArray& rle)
{
    QByteArray info(40, '\0');
    qToLittleEndian<quint32>(40, info.data());
    qToLittleEndian<qint32>(4, info.data() + 4);
    qToLittleEndian<qint32>(2, info.data() + 8);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(quint16(bits), info.data() + 14);
    qToLittleEndian<quint32>(bits == 8 ? 1 : 2, info.data() + 16); // RLE8 or RLE4
    qToLittleEndian<quint32>(quint32(rle.size()), info.data() + 20);
    qToLittleEndian<quint32>(3, info.data() + 32); // colours used
    const QByteArray palette("\x00\x00\xff\x00\xff\x00\x00\x00\x00\xff\x00\x00", 12);
    QByteArray file("BM", 2);
    file += QByteArray(12, '\0');
    const quint32 offset = quint32(14 + info.size() + palette.size());
    qToLittleEndian<quint32>(offset + quint32(rle.size()), file.data() + 2);
    qToLittleEndian<quint32>(offset, file.data() + 10);
    return file + info + palette + rle;
}

// Photos as the batch tool decodes them: colour and grey, one EXIF turns a quarter, and a
// baseline and a progressive one of real size.
bool batchJpegSeeds()
{
    using namespace largeseeds;
    const QImage drawn = drawnPicture(QSize(96, 64), 4);
    QByteArray turned = samples::encode(drawn, "jpeg");
    // An APP1 segment with one EXIF entry, orientation 6, right after the start marker.
    turned.insert(2, QByteArray::fromHex("ffe10022457869660000" "49492a0008000000" "0100"
                                         "1201030001000000" "0600000000000000"));
    return put("batchjpeg", "a.jpg", samples::encode(drawn, "jpeg")) &&
           put("batchjpeg", "grey.jpg",
               samples::encode(drawn.convertToFormat(QImage::Format_Grayscale8), "jpeg")) &&
           put("batchjpeg", "turned.jpg", turned) &&
           put("batchjpeg", "large-baseline.jpg",
               samples::encode(drawnPicture(QSize(1600, 1200), 5), "jpeg")) &&
           put("batchjpeg", "large-progressive.jpg",
               progressiveJpeg(drawnPicture(QSize(1024, 768), 6), 95));
}

bool pictureSeeds()
{
    const QImage image = samples::twoColours(QSize(16, 12));
    const QByteArray bmp = samples::encode(image, "bmp");
    const QByteArray ico = samples::encode(image, "ico");
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    const QImage mono = image.convertToFormat(QImage::Format_Mono);
    return put("picture", "a.bmp", bmp) &&
           put("picture", "indexed.bmp", samples::encode(indexed, "bmp")) &&
           put("picture", "mono.bmp", samples::encode(mono, "bmp")) &&
           // A run and an end of line; three literal pixels (padded to a word) and a run; the end.
           put("picture", "rle8.bmp", rleBitmap(8, raw("\x04\x01\x00\x00\x00\x03\x00\x01\x02\x00"
                                                        "\x01\x02\x00\x01"))) &&
           // A run, then a jump over pixels to the next row, then the end.
           put("picture", "rle8-jump.bmp", rleBitmap(8, raw("\x02\x01\x00\x02\x01\x01\x01\x02\x00\x01"))) &&
           put("picture", "rle4.bmp",
               rleBitmap(4, raw("\x04\x12\x00\x00\x00\x04\x01\x20\x00\x01"))) &&
           put("picture", "a.dib", bmp.mid(14)) && // the clipboard's bitmap has no file header
           put("picture", "a.ico", ico) &&
           put("picture", "two.ico",
               samples::mergeIcons({ico, samples::encode(samples::twoColours(QSize(8, 8)), "ico")})) &&
           put("picture", "a.cur", samples::cursorFrom(ico)) &&
           put("picture", "a.gif", samples::gif(image)) &&
           put("picture", "a.jpg", samples::encode(image, "jpeg")) &&
           put("picture", "a.png", samples::encode(image, "png")) &&
           put("picture", "indexed.png", samples::encode(indexed, "png")) &&
           put("picture", "a.tif", samples::encode(image, "tiff")) &&
           put("picture", "directory-first.tif", samples::tiffDirectoryFirst(8, 6)) &&
           put("picture", "a.webp", samples::encode(image, "webp")) &&
           put("picture", "placeable.wmf", samples::wmf(true, 1440, 720)) &&
           put("picture", "plain.wmf", samples::wmf(false, 300, 150)) &&
           put("picture", "scaled-bitmap.wmf", samples::wmf(true, 1440, 720, 1440, QSize(2, 2), 3)) &&
           put("picture", "a.emf", samples::emf(200, 100)) &&
           put("picture", "bitmap.emf", samples::emf(200, 100, QSize(2, 2)));
}

// Files of the sizes real ones reach. The site list is as large as its reader takes; the
// profile, cover-set and language readers take 16 MB and 64 MB, which under the sanitizers
// would cost each check several seconds twice over (libFuzzer runs an input again to look
// for leaks), so their seeds stop at a few MB and the long sessions grow inputs from there.
bool largeSeeds()
{
    using namespace largeseeds;
    const QByteArray sites = siteList(SiteList::MaxFileBytes - 4096);
    if (sites.count('\n') > SiteList::MaxEntries) {
        std::fprintf(stderr, "the large site list has more entries than its reader takes\n");
        return false;
    }
    const QByteArray set = coverSet(2 << 20);
    // Every block a face may hold, each a long track list that must shrink to fit.
    QByteArray text = "[Files]\r\nImgBack=back.png\r\n";
    for (int n = 1; n <= TextBlock::kMaxPerFace; ++n) {
        text += "[Back.Text" + QByteArray::number(n) + "]\r\nText=";
        for (int line = 1; line <= 60; ++line)
            text += "Track number " + QByteArray::number(line) + " with a title\\t4:" +
                    QByteArray::number(10 + line % 50) + "\\n";
        text += "\r\nSize=144\r\nFit=shrink\r\nColumns=" + QByteArray::number(1 + n % 4) +
                "\r\nBox=" + QByteArray::number(n % 100) + ",5,120,100\r\n";
    }
    return put("picture", "large-multi-strip.tif",
               multiStripTiff(drawnPicture(QSize(420, 320), 1), 4)) &&
           put("picture", "large-progressive.jpg",
               progressiveJpeg(drawnPicture(QSize(1024, 768), 2), 95)) &&
           put("picture", "large-interlaced.png", interlacedPng(drawnPicture(QSize(420, 320), 3))) &&
           put("sitelist", "large", sites) && put("coverset", "large", set) &&
           put("coverset", "large-text", text) &&
           put("profile", "large", raw("Files\0ImgBack\0/b.png\0") + set) &&
           put("langdb", "large", langInput(3, 0, 0, 0, languageDatabase(4, 40000))) &&
           // A full disc as a ripper writes it, and one padded to its reader's bound with 120
           // tracks, past what a disc holds.
           put("cuesheet", "large-99-tracks", cueSheet(99, false)) &&
           put("cuesheet", "large-1252-99-tracks", cueSheet(99, true)) &&
           put("cuesheet", "large-bound", cueSheet(120, true, CueSheet::MaxFileBytes - 64 * 1024));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // the image plugins (TIFF, WebP) need no display
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QString sourceDir = QString::fromLocal8Bit(argv[1]);
    g_out = QString::fromLocal8Bit(argv[2]);
    if (!profileSeeds() || !langSeeds(sourceDir) || !coverSetSeeds() ||
        !siteListSeeds(sourceDir) || !pictureSeeds() || !batchJpegSeeds() || !cueSheetSeeds() || !largeSeeds())
        return 1;
    std::printf("%d seed files in %s\n", g_written, qPrintable(g_out));
    return 0;
}
