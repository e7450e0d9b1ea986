#!/usr/bin/env bash
# Builds the reply-handling fuzzer with clang and runs it for a bounded time.
# Uso: fuzz/executar.sh [segundos] [opções extras do libFuzzer]
# Exit status: 0 when no crash was found (or clang is missing), non-zero otherwise.
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-60}
shift || true
build=${FLUXORA_BUILD_FUZZ:-$raiz/build-fuzz}

compilador=${CXX_FUZZ:-clang++}
if ! command -v "$compilador" >/dev/null 2>&1; then
  echo "fuzz: $compilador não encontrado; fuzzing pulado (instale clang e libclang-rt-14-dev)."
  exit 0
fi

CXX=$compilador cmake -S "$raiz/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"${FLUXORA_JOBS:-2}"

# New inputs go to a working corpus beside the build; the seeds in fuzz/corpus stay as
# committed. Crash inputs land in the build folder.
trabalho="$build/corpus"
mkdir -p "$trabalho" "$build/achados"
# Short allocation stacks: recording thirty frames per allocation took a quarter of the time,
# and eight still point at the faulty line.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:malloc_context_size=8}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

# The fuzzer's copy of the database lives here (tmpfs when there is one), removed even
# after a crash.
base_tmp=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && base_tmp=/dev/shm
FLUXORA_FUZZ_TMP=$(mktemp -d "$base_tmp/fluxora-fuzz.XXXXXX")
export FLUXORA_FUZZ_TMP
trap 'rm -rf "$FLUXORA_FUZZ_TMP"' EXIT

cd "$build"
nice -n "${FLUXORA_NICE:-19}" ./fluxora-fuzz-respostas \
  -max_len=70000 -max_total_time="$segundos" -timeout=25 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$build/achados/" "$@" \
  "$trabalho" "$raiz/fuzz/corpus"
