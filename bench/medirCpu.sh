#!/usr/bin/env bash
# CPU time Fluxora uses while polling the simulator at the normal pace: the program runs
# under Xvfb against the simulator on 127.0.0.1 port 80 (as root, or with the capability
# the README describes), and its user + system time is read from /proc over SEGUNDOS
# seconds once the first fast cycle is over.
# Uso: bench/medirCpu.sh [pasta de build] [SEGUNDOS]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$raiz/build}
segundos=${2:-120}
trabalho=$(mktemp -d)
trap 'kill "${programa:-}" "${simulador:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$trabalho"' EXIT
cp "$build/fluxora" "$trabalho/"
cp "$build/modelo/Fluxoradb.mdb" "$trabalho/"
"$build/fluxora-simulador" --endereco 127.0.0.1 --porta 80 >"$trabalho/sim" 2>&1 &
simulador=$!
sleep 0.5
grep -q 'ouvindo' "$trabalho/sim" || { cat "$trabalho/sim" >&2; exit 1; }
Xvfb :78 -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=:78 "$trabalho/fluxora" >/dev/null 2>&1 &
programa=$!
sleep 20 # the first, fast cycle
tiques() { awk '{print $14 + $15}' "/proc/$programa/stat"; }
antes=$(tiques)
sleep "$segundos"
depois=$(tiques)
hz=$(getconf CLK_TCK)
pedidos=$(grep -c '^pedido' "$trabalho/sim" || true)
awk -v t=$((depois - antes)) -v hz="$hz" -v s="$segundos" -v p="$pedidos" \
  'BEGIN {printf "CPU: %.2f s em %d s = %.3f%% de um núcleo (%d pedidos ao todo)\n", t / hz, s, 100 * t / hz / s, p}'
