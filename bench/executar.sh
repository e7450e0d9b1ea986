#!/usr/bin/env bash
# Builds fluxora-bench and runs it: five repetitions of each benchmark, reporting the
# median (and mean and spread) with the machine it ran on.
# Uso: bench/executar.sh [pasta de build] [opções extras do Google Benchmark]
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$raiz/build}
shift || true

cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFLUXORA_BENCH=ON >/dev/null
cmake --build "$build" -j"${FLUXORA_JOBS:-2}" --target fluxora-bench
if [ ! -x "$build/bench/fluxora-bench" ]; then
  echo "bench: Google Benchmark não encontrado (instale libbenchmark-dev); nada a medir."
  exit 0
fi

echo "máquina: $(nproc) núcleos, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)"
"$build/bench/fluxora-bench" --benchmark_repetitions="${FLUXORA_REPETICOES:-5}" \
  --benchmark_report_aggregates_only=true "$@"
