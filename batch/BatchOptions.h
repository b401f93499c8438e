#pragma once

#include "DiscShape.h"
#include "Faces.h"

#include <QPageSize>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What one run of the batch tool was asked to do, as read from its command line.
struct BatchOptions
{
    enum class Output
    {
        Pdf,
        Png
    };

    static constexpr int kMinDpi = 1;
    static constexpr int kMaxDpi = 2400;
    static constexpr int kPdfDpi = 600; // pictures in a PDF: what a photo printer resolves
    static constexpr int kPngDpi = 300;
    static constexpr double kMaxOffset = 10; // millimetres either way
    static constexpr double kMinScale = 95;  // per cent
    static constexpr double kMaxScale = 105;
    // A PNG sheet is the whole page in memory, four bytes a pixel.
    static constexpr qint64 kMaxPageBytes = 512LL * 1024 * 1024;

    QString setFile;
    // Faces named with --faces; none named: every face the set has a picture for.
    std::optional<std::array<bool, kFaceCount>> faces;
    Output output = Output::Pdf;
    QString outputPath; // the PDF file or the PNG folder; empty: the default PDF name
    int dpi = 0;        // 0: the output's default
    QPageSize::PageSizeId paper = QPageSize::A4;
    QString language; // a language's name in the database; empty: the saved one
    QPointF offset{0, 0};
    QPointF scale{100, 100};
    std::optional<DiscShape> cdShape; // --cd-shape; none: as the set has it
    QString labelSheet;               // --label-sheet: its id or name; empty: own page
    QString positions;                // --positions, checked against the sheet's labels
    bool foldMarks = true;
    bool help = false;
    bool version = false;

    int effectiveDpi() const { return dpi > 0 ? dpi : (output == Output::Pdf ? kPdfDpi : kPngDpi); }
    // The PDF to write when none is named: the set's name with .pdf, in the current folder.
    QString pdfPath() const;
    // The highest resolution at which a PNG sheet of the paper fits in kMaxPageBytes.
    static int maxPngDpi(QPageSize::PageSizeId paper);
};

// A command line that cannot be run: the message's string number and what it is about.
struct OptionError
{
    int message = 0;
    QString detail;
    QString argument; // what %1 of the message stands for, when it has one
};

struct ParsedOptions
{
    BatchOptions options;
    std::optional<OptionError> error; // the first fault found; the rest is read anyway
};

// Reads the arguments after the program name. --help and --version are noted even on a
// command line that has faults, so that they can still be answered.
ParsedOptions parseBatchOptions(const QStringList& arguments);

// A --cd-shape value: "rectangle", or "round[:OUTER[:HOLE]]" with diameters in range.
std::optional<DiscShape> parseCdShape(const QString& value);

// The --faces names, in face order: front, inside, back, cd.
QString faceOptionName(int face);
