#pragma once

#include <QByteArray>
#include <QString>

// Files the fuzz targets hand to readers that only take paths. Each process gets a folder of
// its own (parallel jobs must not share files), on a memory file system where there is one,
// so that writing a file per input stays cheap. ORVELLA_FUZZ_SCRATCH names another parent.
class FuzzScratch
{
public:
    // The process's folder, made at the first call and removed when the process ends
    // normally. Folders left by processes that died (a crash) are removed at the next start.
    static QString folder();
    static QString path(const QString& name);

    // Aborts the run when the file cannot be written: a fuzz target that silently tests
    // nothing is worse than one that stops.
    static void write(const QString& path, const QByteArray& bytes);
    // False when the file cannot be read (it does not exist).
    static bool read(const QString& path, QByteArray* bytes);
};
