#include "FuzzScratch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const QString kPrefix = QStringLiteral("orvella-fuzz-");

QString parentFolder()
{
    const QString configured = qEnvironmentVariable("ORVELLA_FUZZ_SCRATCH");
    if (!configured.isEmpty())
        return configured;
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return shm.filePath();
    return QDir::tempPath();
}

// A crashed run never reaches its exit handler; its folder is recognised by the process
// number in its name.
void removeFoldersOfDeadProcesses(const QDir& parent)
{
    const QStringList names = parent.entryList({kPrefix + QLatin1Char('*')}, QDir::Dirs);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.mid(kPrefix.size()).toLongLong(&ok);
        if (ok && !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
            QDir(parent.filePath(name)).removeRecursively();
    }
}

QString g_folder;

void removeFolder()
{
    if (!g_folder.isEmpty())
        QDir(g_folder).removeRecursively();
}

[[noreturn]] void fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "fuzz scratch: cannot %s %s\n", what, qPrintable(path));
    std::abort();
}

} // namespace

QString FuzzScratch::folder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    const QDir parent(parentFolder());
    removeFoldersOfDeadProcesses(parent);
    const QString folder = parent.filePath(kPrefix + QString::number(::getpid()));
    if (!QDir().mkpath(folder))
        fail("make", folder);
    g_folder = folder;
    std::atexit(removeFolder);
    return g_folder;
}

QString FuzzScratch::path(const QString& name)
{
    return QDir(folder()).filePath(name);
}

void FuzzScratch::write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size())
        fail("write", path);
}

bool FuzzScratch::read(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return true;
}
