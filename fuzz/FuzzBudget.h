#pragma once

#include <cstddef>
#include <cstdint>

// What one input may cost. A reader whose work grows faster than its input (a structure
// walked once per repeated tag, a table sized by a number in the file) is a fault even
// when it ends: a file of a few hundred KB must not take minutes or gigabytes. Every fuzz
// target holds one of these for the whole of each input:
//
//   processor time (all threads)  at most 2 s per MB of input (MB = 2^20 bytes), and never
//                                 less than FloorCpuSeconds, for the fixed costs of an input
//   heap held at once             at most 64 MB + 16 x the input's size, above what was
//                                 held when the input started
//
// The heap is watched on every allocation, so an input that goes over fails at the
// allocation that crossed the bound, with its stack; processor time is judged when the input
// ends (libFuzzer's -timeout stops one that never does). A failure says what the input cost
// and what its bound was, then aborts, so that libFuzzer keeps the input as a finding.
// ORVELLA_FUZZ_COSTS=1 prints every input's costs.
class FuzzBudget
{
public:
    // The fixed costs of an input. Under the sanitizers no seed of a few KB costs more than
    // 0.03 s, the first of each kind with its Qt image plugin and codec library included; but
    // fresh memory is dear there (every page faulted in, none reused while in quarantine):
    // the 64 MB the heap bound allows any input cost about 0.35 s to touch once. 0.5 s
    // leaves room for that and still fails a file of a few bytes that keeps a reader busy
    // for half a second.
    static constexpr double FloorCpuSeconds = 0.5;
    static constexpr double CpuSecondsPerMegabyte = 2.0;
    static constexpr std::int64_t HeapFloorBytes = 64LL << 20;
    static constexpr std::int64_t HeapBytesPerInputByte = 16;

    // Decoding a pixel is work a file may rightly ask for however few its bytes: a 12-megapixel
    // drawing of flat colour is a 43 KB PNG. What a picture costs to decode is paid for here
    // (its memory is not: the heap bound above already ties the pixels a file can claim to its
    // size), so that processor time still finds work repeated over the same bytes. This is
    // twice the dearest decode seen under the sanitizers, where every page is fresh.
    static constexpr double CpuSecondsPerDecodedPixel = 60e-9;

    // Likewise a character laid out as text: shaping it is work of its own, bounded by the
    // times a layout may run, not by the file's bytes.
    static constexpr double CpuSecondsPerLaidOutCharacter = 5e-6;

    static double cpuBound(std::size_t inputBytes);
    static std::int64_t heapBound(std::size_t inputBytes);

    // target names the fuzz target in the messages; it must outlive the budget.
    FuzzBudget(const char* target, std::size_t inputBytes);
    ~FuzzBudget();
    FuzzBudget(const FuzzBudget&) = delete;

    // Adds the decode of a picture of `pixels` pixels to what the input may cost.
    void allowDecodedPixels(std::int64_t pixels);
    // Adds the layout of `characters` characters of text to what the input may cost.
    void allowLaidOutCharacters(std::int64_t characters);
    FuzzBudget& operator=(const FuzzBudget&) = delete;

private:
    const char* m_target;
    std::size_t m_inputBytes;
    double m_cpuStart;
    double m_cpuAllowed = 0;
};
