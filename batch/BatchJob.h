#pragma once

#include "BatchOptions.h"
#include "CoverSetFile.h"
#include "Picture.h"

#include <QElapsedTimer>
#include <QPageLayout>

#include <functional>

class PrintLayout;
struct PrintOptions;

// One run of the batch tool once its command line and its language are settled: reads the
// set, loads the pictures of the chosen faces and writes their sheets.
class BatchJob
{
public:
    enum ExitCode
    {
        Done = 0,
        BadArguments = 2,
        SetUnreadable = 3,
        PictureUnloadable = 4,
        OutputNotWritten = 5,
        LanguageDatabase = 6,
    };
    using Say = std::function<void(const QString& line)>;

    // Qt's PDF printer keeps this much of every side of the paper free; the sheets start
    // where a print from the program to a PDF file starts them.
    static constexpr double kMarginPoints = 10;
    static QPageLayout pageLayout(QPageSize::PageSizeId paper);

    // `say` takes each line for stderr; `clock` runs since the start of the program.
    BatchJob(const BatchOptions& options, Say say, const QElapsedTimer& clock);

    int run();

private:
    bool readSet();
    bool chooseFaces();
    bool loadPictures();
    bool outputsSpareTheInputs(int sheets);
    // The CD face's shape, the label sheet and its positions, and the fold marks; false
    // (with its message said) when the sheet cannot be used.
    bool chooseLabelSheet(PrintOptions* options);
    // Names every chosen face's text block that does not fit its box; the run goes on.
    void warnOfCutText();
    int write(const PrintLayout& layout);

    static QString faceCaption(int face);

    const BatchOptions& m_options;
    Say m_say;
    const QElapsedTimer& m_clock;
    CoverSetPaths m_paths; // as the set's folder resolves them
    CoverSetTexts m_texts;
    DiscShape m_cdShape;
    std::array<bool, kFaceCount> m_chosen{};
    CoverSetPaths m_files; // the pictures the chosen sheets draw
    std::array<platform::Picture, kFaceCount> m_standIns;
};
