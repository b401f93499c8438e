#pragma once

#include "LazyPictureTarget.h"
#include "ProgressTarget.h"

#include <QElapsedTimer>
#include <QPageLayout>
#include <QPointF>
#include <QString>
#include <QStringList>

// How the sheets of one run are put on paper, and where a run tells its progress.
struct SheetSettings
{
    QPageLayout page; // landscape, with the printable area where the program's PDF has it
    int dpi = 600;
    QPointF offset{0, 0};    // millimetres
    QPointF scale{100, 100}; // per cent
    QString title;           // the document's title (a PDF's)
    // The stand-ins the layout was given for the face pictures, and the files they stand for.
    LazyPictureTarget::Pictures standIns;
    LazyPictureTarget::Files files;
    const QElapsedTimer* clock = nullptr;
    ProgressTarget::Report progress;
};

// What writing the output came to.
struct SheetOutput
{
    bool ok = false;
    QStringList written; // the files made, in order
    QString failedPath;  // on failure: the file that could not be written
    QString reason;      // and why, as the system says it
    int failedFace = -1; // a face whose picture file could no longer be read (failedPath)
};
