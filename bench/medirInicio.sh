#!/usr/bin/env bash
# Start-up to the first painted main window, and peak memory, of Fluxora against a bare Qt
# window (one large label, one 31-bar chart), in the same run: the median of N starts each.
# Uso: bench/medirInicio.sh [pasta de build] [N]   (needs Xvfb; uses display :77)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$raiz/build}
n=${2:-15}
[ -x "$build/fluxora" ] && [ -x "$build/bench/fluxora-janela-nua" ] || {
  echo "construa antes: cmake --build $build" >&2
  exit 1
}
trabalho=$(mktemp -d)
trap 'kill "${xvfb:-}" "${simulador:-}" 2>/dev/null || true; rm -rf "$trabalho"' EXIT
Xvfb :77 -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:77
sleep 1
# A portable copy: program, its own database, the simulator on a free loopback port is not
# needed, the first paint comes before any reply.
cp "$build/fluxora" "$trabalho/"
cp "$build/modelo/Fluxoradb.mdb" "$trabalho/"

medir() { # command... -> "ms kB"
  local inicio fim
  inicio=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$trabalho/mem" "$@" | grep -q pintado
  fim=$(date +%s%N)
  echo "$(((fim - inicio) / 1000000)) $(cat "$trabalho/mem")"
}
mediana() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

: >"$trabalho/f" && : >"$trabalho/j"
for _ in $(seq "$n"); do
  medir "$trabalho/fluxora" --medir-inicio >>"$trabalho/f"
  medir "$build/bench/fluxora-janela-nua" >>"$trabalho/j"
done
fi_ms=$(cut -d' ' -f1 "$trabalho/f" | mediana); fi_kb=$(cut -d' ' -f2 "$trabalho/f" | sort -n | tail -n1)
ji_ms=$(cut -d' ' -f1 "$trabalho/j" | mediana); ji_kb=$(cut -d' ' -f2 "$trabalho/j" | sort -n | tail -n1)
echo "máquina: $(nproc) núcleos, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)"
echo "fluxora:     início ${fi_ms} ms (mediana de $n), memória máxima ${fi_kb} kB"
echo "janela nua:  início ${ji_ms} ms (mediana de $n), memória máxima ${ji_kb} kB"
awk -v a="$fi_ms" -v b="$ji_ms" -v c="$fi_kb" -v d="$ji_kb" \
  'BEGIN {printf "razão: início %.2f, memória %.2f\n", a / b, c / d}'
