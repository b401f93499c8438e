#include "FuzzBudget.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

// Bytes allocated minus bytes freed since the input started (below zero when the input
// frees what earlier ones left), and the highest that came to. Qt decodes on worker threads
// too, so every thread's allocations count.
std::atomic<std::int64_t> g_held{0};
std::atomic<std::int64_t> g_peak{0};
std::atomic<std::int64_t> g_limit{0}; // 0: no input is running
std::atomic<bool> g_failed{false};
const char* g_target = "fuzz";
std::size_t g_inputBytes = 0;
// What the calling thread alone allocated: the proof that the hooks run must not be upset by
// other threads freeing memory meanwhile. Atomic only so that the compiler, which takes
// malloc to touch no memory of ours, reads it again after one.
thread_local std::atomic<std::int64_t> t_allocated{0};

double megabytes(std::int64_t bytes)
{
    return double(bytes) / kMegabyte;
}

// Runs inside the allocator, on whichever thread allocated: no locks, and whatever it
// allocates itself (stdio's buffers) must not come back here to report again.
void onMalloc(const volatile void*, std::size_t size)
{
    t_allocated.store(t_allocated.load(std::memory_order_relaxed) + std::int64_t(size),
                      std::memory_order_relaxed);
    const std::int64_t held = g_held.fetch_add(std::int64_t(size), std::memory_order_relaxed) +
                              std::int64_t(size);
    std::int64_t peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    const std::int64_t limit = g_limit.load(std::memory_order_relaxed);
    if (limit > 0 && held > limit && !g_failed.exchange(true)) {
        std::fprintf(stderr,
                     "%s: the input holds %.1f MB of heap at once; its bound is %.1f MB "
                     "(64 MB + 16 x its %zu bytes)\n",
                     g_target, megabytes(held), megabytes(limit), g_inputBytes);
        std::abort();
    }
}

void onFree(const volatile void* pointer)
{
    // Asking the size of what is not allocated is an error report of its own; a double
    // free must be reported as what it is, by the allocator, after this hook.
    if (pointer && __sanitizer_get_ownership(pointer))
        g_held.fetch_sub(std::int64_t(__sanitizer_get_allocated_size(pointer)),
                         std::memory_order_relaxed);
}

// Before main, while the process has one thread, as the sanitizer asks.
const bool g_hooked = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;

// A target whose heap went unwatched would pass every input it should fail: hooks can be
// accepted and then never called (another allocator, a runtime that ignores them).
bool heapWatched()
{
    if (!g_hooked)
        return false;
    constexpr std::size_t kProbe = 1 << 20;
    const std::int64_t before = t_allocated.load();
    void* volatile probe = std::malloc(kProbe);
    const bool seen = t_allocated.load() - before >= std::int64_t(kProbe);
    std::free(probe);
    return seen;
}

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

bool printCosts()
{
    static const bool print = [] {
        const char* value = std::getenv("ORVELLA_FUZZ_COSTS");
        return value && *value && *value != '0';
    }();
    return print;
}

} // namespace

double FuzzBudget::cpuBound(std::size_t inputBytes)
{
    return std::max(FloorCpuSeconds, CpuSecondsPerMegabyte * double(inputBytes) / kMegabyte);
}

std::int64_t FuzzBudget::heapBound(std::size_t inputBytes)
{
    return HeapFloorBytes + HeapBytesPerInputByte * std::int64_t(inputBytes);
}

FuzzBudget::FuzzBudget(const char* target, std::size_t inputBytes)
    : m_target(target), m_inputBytes(inputBytes)
{
    static const bool watched = heapWatched();
    if (!watched) {
        std::fprintf(stderr, "%s: the heap is not watched (no sanitizer allocator?)\n", target);
        std::abort();
    }
    g_target = target;
    g_inputBytes = inputBytes;
    g_held.store(0, std::memory_order_relaxed);
    g_peak.store(0, std::memory_order_relaxed);
    g_limit.store(heapBound(inputBytes), std::memory_order_relaxed);
    m_cpuStart = cpuSeconds();
}

void FuzzBudget::allowDecodedPixels(std::int64_t pixels)
{
    m_cpuAllowed += CpuSecondsPerDecodedPixel * double(std::max<std::int64_t>(pixels, 0));
}

void FuzzBudget::allowLaidOutCharacters(std::int64_t characters)
{
    m_cpuAllowed += CpuSecondsPerLaidOutCharacter * double(std::max<std::int64_t>(characters, 0));
}

FuzzBudget::~FuzzBudget()
{
    const double cpu = cpuSeconds() - m_cpuStart;
    const double bound = cpuBound(m_inputBytes) + m_cpuAllowed;
    g_limit.store(0, std::memory_order_relaxed);
    const std::int64_t peak = g_peak.load(std::memory_order_relaxed);
    if (printCosts()) {
        std::fprintf(stderr, "%s: %zu bytes: %.3f s of %.3f s, heap %.1f MB of %.1f MB\n",
                     m_target, m_inputBytes, cpu, bound, megabytes(peak),
                     megabytes(heapBound(m_inputBytes)));
    }
    if (cpu > bound) {
        std::fprintf(stderr,
                     "%s: the input took %.2f s of processor time; its bound is %.2f s "
                     "(2 s per MB of its %zu bytes, at least %.1f s, and %.2f s for the "
                     "pixels it decoded or the text it laid out)\n",
                     m_target, cpu, bound, m_inputBytes, FloorCpuSeconds, m_cpuAllowed);
        std::abort();
    }
}
