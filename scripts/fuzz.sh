#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer),
# makes their seed corpora and runs them.
#
#   scripts/fuzz.sh --check
#       every target once over its seeds and its regressions (what CI runs); fails when any
#       input crashes, leaks, times out or runs out of memory, or when an input was not run
#   scripts/fuzz.sh --long MINUTES [TARGET...]
#       a fuzzing session of MINUTES per target, one target after the other (all by default);
#       new inputs go to build-fuzz/fuzz/corpus/TARGET, faults to build-fuzz/fuzz/findings/TARGET
#
# Targets: profile langdb coverset sitelist picture cuesheet batchjpeg (fuzz_<target> in fuzz/).
# ORVELLA_FUZZ_BUILD_DIR chooses the build folder; ASAN_OPTIONS and UBSAN_OPTIONS, when set,
# are used as they are.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

all_targets=(profile langdb coverset sitelist picture cuesheet batchjpeg)

usage() {
  sed -n '2,14p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

mode="${1:-}"
[ $# -gt 0 ] && shift
minutes=0
targets=()
case "$mode" in
  --check)
    [ $# -eq 0 ] || usage
    targets=("${all_targets[@]}")
    ;;
  --long)
    [ $# -ge 1 ] || usage
    minutes="$1"
    shift
    [[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -gt 0 ] || usage
    targets=("$@")
    [ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
    for t in "${targets[@]}"; do
      [[ " ${all_targets[*]} " == *" ${t#fuzz_} "* ]] || { echo "unknown target: $t" >&2; usage; }
    done
    targets=("${targets[@]#fuzz_}")
    ;;
  *) usage ;;
esac

. "$here/scripts/deps.sh"
orvella_install_deps clang libclang-rt-14-dev

build="${ORVELLA_FUZZ_BUILD_DIR:-$here/build-fuzz}"
if [ -f "$build/CMakeCache.txt" ] &&
  ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' "$build/CMakeCache.txt"; then
  echo "$build was configured with another compiler than clang; remove it or set ORVELLA_FUZZ_BUILD_DIR" >&2
  exit 2
fi
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DORVELLA_WERROR=ON -DORVELLA_BUILD_TESTS=OFF -DORVELLA_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target orvella_fuzz -j "$(nproc)"

bin="$build/fuzz"
seeds="$bin/seeds"
rm -rf "$seeds"
"$bin/fuzz_make_seeds" "$here" "$seeds"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=0:handle_abort=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/fuzz/lsan.supp:print_suppressions=0}"
# Each fuzz process keeps its scratch files here; removed when the script ends.
scratch_parent="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
scratch="$(mktemp -d "$scratch_parent/orvella-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export ORVELLA_FUZZ_SCRATCH="$scratch"

# The largest input each target's reader takes: long sessions try files up to that size
# (libFuzzer would otherwise stay near 4 KB, however long it runs).
max_len_of() {
  case "$1" in
    # ProfileFile::MaxFileBytes (platform/PrivateProfile.h): a larger file reads as invalid.
    profile) echo 16777216 ;;
    # readCoverSetFile (model/CoverSetFile.cpp) reads through ProfileFile::load: the same.
    coverset) echo 16777216 ;;
    # LangLoader::MaxFileBytes (lang/LangLoader.h), 64 MB, after the input's 4 bytes of
    # circumstances.
    langdb) echo 67108868 ;;
    # SiteList::MaxFileBytes (model/SiteList.h).
    sitelist) echo 1048576 ;;
    # Picture::MaxFileBytes (platform/picture/Picture.h) is 96 MB, but 1 MB already holds
    # thousands of strips, tags, chunks or scans for the decoders to walk, and a session of
    # 96 MB inputs would run few of them.
    picture) echo 1048576 ;;
    # CueSheet::MaxFileBytes (model/CueSheet.h): a larger sheet is refused unread.
    cuesheet) echo 1048576 ;;
    # JPEG photos as the picture target takes them: 1 MB holds a progressive photo of
    # several megapixels and thousands of scans.
    batchjpeg) echo 1048576 ;;
  esac
}

# Bounds of one input. Each input's processor time and heap are judged by FuzzBudget
# (fuzz/FuzzBudget.h); these are the backstops around it: the timeout (wall clock) and the
# resident size leave room for what the budget allows the target's largest input, 2 s and
# 16 bytes of heap per byte, so that only a hang or a runaway trips them. A single
# allocation above 1.5 GB is refused: a picture claiming a huge size must be refused, not
# decoded.
limits_of() {
  local mb=$((($(max_len_of "$1") + 1048575) / 1048576))
  echo "-rss_limit_mb=$((2048 + 16 * mb)) -malloc_limit_mb=1536 -timeout=$((10 + 2 * mb))"
}
logs="$bin/logs"
mkdir -p "$logs"

regressions_of() { echo "$here/fuzz/regressions/$1"; }
dictionary_of() {
  local dict="$here/fuzz/dictionaries/$1.dict"
  [ -f "$dict" ] && echo "-dict=$dict"
  return 0
}

# Inputs of a target: its seeds and its regressions (notes beside them are no inputs).
inputs_of() {
  local dir
  for dir in "$seeds/$1" "$(regressions_of "$1")"; do
    [ -d "$dir" ] || continue
    find "$dir" -type f ! -name '*.md' | sort
  done
}

passed=0
failed=0
failures=()

# Runs each given file once, the fuzzer's way for single inputs. After a fault it goes on
# with the files after the one that failed, so that every faulty input is named.
run_inputs() {
  local target="$1"
  shift
  local todo=("$@")
  local round=0
  while [ ${#todo[@]} -gt 0 ]; do
    round=$((round + 1))
    local log="$logs/check-$target-$round.log"
    local rc=0
    # shellcheck disable=SC2046
    "$bin/fuzz_$target" $(limits_of "$target") "${todo[@]}" >"$log" 2>&1 || rc=$?
    local executed
    executed=$(grep -c '^Executed ' "$log" || true)
    passed=$((passed + executed))
    if [ "$rc" -eq 0 ]; then
      if [ "$executed" -ne ${#todo[@]} ]; then
        failed=$((failed + ${#todo[@]} - executed))
        failures+=("fuzz_$target: ran $executed of ${#todo[@]} inputs (see $log)")
      fi
      return 0
    fi
    local bad="${todo[$executed]:-?}"
    failed=$((failed + 1))
    failures+=("fuzz_$target: $bad (exit $rc, see $log)")
    echo "---- fuzz_$target failed on $bad:"
    grep -E '^==[0-9]+==|^fuzz_|ERROR|SUMMARY|runtime error|Timeout|out-of-memory|#[0-9]+ 0x' "$log" \
      | head -40 | sed 's/^/    /'
    todo=("${todo[@]:$((executed + 1))}")
  done
}

check() {
  local target files
  for target in "${targets[@]}"; do
    mapfile -t files < <(inputs_of "$target")
    if [ ${#files[@]} -eq 0 ]; then
      failures+=("fuzz_$target: no inputs")
      failed=$((failed + 1))
      continue
    fi
    local before=$passed
    run_inputs "$target" "${files[@]}"
    echo "fuzz_$target: $((passed - before)) of ${#files[@]} inputs ran clean"
  done
  echo
  if [ ${#failures[@]} -gt 0 ]; then
    echo "Faulty inputs:"
    printf '  %s\n' "${failures[@]}"
  fi
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# Coverage of a target over the given corpus folders, each input run once:
# "cov: 601 ft: 1349" (code edges, then the finer features libFuzzer tells apart).
coverage_of() {
  local target="$1"
  shift
  # shellcheck disable=SC2046
  "$bin/fuzz_$target" $(limits_of "$target") -max_len="$(max_len_of "$target")" -runs=0 "$@" 2>&1 |
    grep -o 'INITED cov: [0-9]* ft: [0-9]*' | tail -1 | sed 's/INITED //'
}

long() {
  local seconds=$((minutes * 60))
  local summary=()
  local target
  for target in "${targets[@]}"; do
    local corpus="$bin/corpus/$target"
    local findings="$bin/findings/$target"
    mkdir -p "$corpus" "$findings"
    local dirs=("$corpus" "$seeds/$target")
    [ -d "$(regressions_of "$target")" ] && dirs+=("$(regressions_of "$target")")
    local corpus_before findings_before coverage_before
    corpus_before=$(find "$corpus" -type f | wc -l)
    findings_before=$(find "$findings" -type f | wc -l)
    coverage_before=$(coverage_of "$target" "${dirs[@]}")
    local log="$logs/long-$target-$(date +%Y%m%d-%H%M%S).log"
    echo "== fuzz_$target for $minutes min (log: $log)"
    # One worker that goes on after a fault, so that a session collects every kind of fault
    # it meets; new inputs land in the working corpus (the first folder), faults in the
    # findings folder. Inputs may be as long as the reader takes from the start, not grown
    # to it by libFuzzer's slow length control.
    local rc=0
    # shellcheck disable=SC2046
    "$bin/fuzz_$target" $(limits_of "$target") $(dictionary_of "$target") \
      -max_len="$(max_len_of "$target")" -len_control=0 -fork=1 -ignore_crashes=1 \
      -ignore_timeouts=1 -ignore_ooms=1 -max_total_time="$seconds" \
      -artifact_prefix="$findings/" "${dirs[@]}" >"$log" 2>&1 || rc=$?
    local runs corpus_after findings_after coverage_after
    runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
    corpus_after=$(find "$corpus" -type f | wc -l)
    findings_after=$(find "$findings" -type f | wc -l)
    coverage_after=$(coverage_of "$target" "${dirs[@]}")
    local line="fuzz_$target: ${runs:-0} runs; ${coverage_before:-?} -> ${coverage_after:-?};"
    line+=" corpus $corpus_before -> $corpus_after files;"
    line+=" $((findings_after - findings_before)) new findings in $findings; exit $rc"
    summary+=("$line")
    echo "$line"
  done
  echo
  echo "Summary:"
  printf '  %s\n' "${summary[@]}"
}

case "$mode" in
  --check) check ;;
  --long) long ;;
esac
