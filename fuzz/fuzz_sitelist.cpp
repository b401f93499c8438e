// The site list from any bytes, as the cover-sites window reads and writes it: the list read
// from the user's file must be the file's bytes parsed; written back and read again, it keeps
// its number of entries; after one trip through the file (the window opened and closed) it
// no longer changes; and each address is judged for Go without fault.
//
// Input: the file's bytes.
#include "FuzzBudget.h"
#include "FuzzScratch.h"
#include "SiteList.h"
#include "TextSplit.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_sitelist: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static int appArgc = *argc;
    static QCoreApplication app(appArgc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzBudget budget("fuzz_sitelist", size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SiteList sites(FuzzScratch::path(QStringLiteral("user/CS.DAT")),
                         FuzzScratch::path(SiteList::fileName()));
    // The user has no list of their own yet: the program's list is where it starts from.
    QFile::remove(sites.userListPath());
    FuzzScratch::write(sites.startingListPath(), bytes);

    const SiteList::Contents contents = sites.read();
    const std::optional<QStringList> bounded = SiteList::parseBounded(bytes);
    check(contents.readable == bounded.has_value(), "the file was judged unlike its bytes");
    check(contents.entries == bounded.value_or(QStringList()),
          "the list read differs from the file's bytes parsed");
    if (!contents.readable)
        return 0;
    for (const QString& entry : contents.entries) {
        check(entry.contains(SiteList::separator()), "an entry has no separator");
        const QString address = TextAfter(entry, SiteList::separator());
        if (SiteList::isWebAddress(address))
            check(!SiteList::shellTarget(address).isEmpty(), "a web address has no target");
    }

    // The window opened and closed: the list it wrote must open again.
    check(sites.write(contents.entries), "the list could not be written");
    const SiteList::Contents once = sites.read();
    check(once.readable, "a list the program wrote cannot be read again");
    check(once.entries.size() == contents.entries.size(),
          "writing the list changed its number of entries");
    check(sites.write(once.entries), "the list could not be written again");
    const SiteList::Contents twice = sites.read();
    check(twice.readable && twice.entries == once.entries,
          "the list still changes after it was opened and closed once");
    return 0;
}
