#!/usr/bin/env bash
# The sanitizer and fuzzing stages of CI, after the plain test command:
#   asan  every test (but the *.de repeats) under AddressSanitizer + UndefinedBehaviorSanitizer
#         (leaks checked; tests/lsan.supp), built with clang into build-asan/
#         together with the libFuzzer targets;
#   tsan  the threaded suites under ThreadSanitizer (tests/tsan.supp), build-tsan/;
#   fuzz  each libFuzzer target of tests/fuzz for FUZZ_SECONDS (30) from its
#         seed corpus; whatever it finds fails the stage, the input is kept
#         in build-asan/fuzz-findings/.
# Usage: scripts/ci-sanitizers.sh [asan] [tsan] [fuzz]   (all three by default)
# ccache is used when present, never required.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(asan tsan fuzz)
jobs="$(nproc)"
fuzz_seconds="${FUZZ_SECONDS:-30}"
asan_dir="$root/build-asan"
tsan_dir="$root/build-tsan"
fuzz_targets=(fuzz_document fuzz_temperament_text fuzz_number_text)
# The suites with threads of their own: runtime threads and the virtual
# devices, the capture driver, the analysis thread, the settings store.
threaded_suites='^(runtime|platform|audio|analysis|state)$'

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Lean builds: tests only, no benchmarks or gallery, -O1 with debug info for
# the reports.
configure() { # dir, sanitizer flags, extra cmake arguments
  local dir="$1" flags="$2"
  shift 2
  cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" \
    -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DTONVELA_BUILD_BENCH=OFF -DTONVELA_BUILD_GALLERY=OFF "$@" >/dev/null
}

stage() { echo "=== $1 ($(date +%T))"; }

export QT_QPA_PLATFORM=offscreen

for s in "${stages[@]}"; do
  case "$s" in
  asan)
    stage "AddressSanitizer + UndefinedBehaviorSanitizer: build"
    configure "$asan_dir" "-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link" \
      -DTONVELA_BUILD_FUZZ=ON
    cmake --build "$asan_dir" -j "$jobs"
    # The decimal-comma repeats (*.de) run the same code; the plain stage has them.
    stage "AddressSanitizer + UndefinedBehaviorSanitizer: every test"
    ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
      ctest --test-dir "$asan_dir" --output-on-failure -j "$jobs" -E '\.de$'
    ;;
  tsan)
    stage "ThreadSanitizer: build"
    configure "$tsan_dir" "-fsanitize=thread"
    cmake --build "$tsan_dir" -j "$jobs" --target \
      tests_runtime tests_platform tests_audio tests_analysis tests_state tonvela-cli
    stage "ThreadSanitizer: threaded suites"
    TSAN_OPTIONS="suppressions=$root/tests/tsan.supp:halt_on_error=1:second_deadlock_stack=1" \
      ctest --test-dir "$tsan_dir" --output-on-failure -j "$jobs" -L "$threaded_suites" -E '\.de$'
    ;;
  fuzz)
    [ -x "$asan_dir/tests/fuzz/fuzz_document" ] || "$0" asan
    findings="$asan_dir/fuzz-findings"
    mkdir -p "$findings"
    for target in "${fuzz_targets[@]}"; do
      stage "fuzz $target, $fuzz_seconds s"
      # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
      scratch="$(mktemp -d)"
      ASAN_OPTIONS="detect_leaks=1:halt_on_error=1" \
      UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
        "$asan_dir/tests/fuzz/$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$scratch" "$root/tests/fuzz/corpus/$target" \
        2>"$asan_dir/$target.log" || { tail -n 60 "$asan_dir/$target.log"; rm -rf "$scratch"; exit 1; }
      grep -E '^(Done|stat::number_of_executed_units|INFO: seed corpus)' "$asan_dir/$target.log" || true
      rm -rf "$scratch"
    done
    ;;
  *)
    echo "unknown stage '$s' (asan, tsan, fuzz)" >&2
    exit 2
    ;;
  esac
done
