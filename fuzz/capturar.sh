#!/usr/bin/env bash
# Captures real replies of the simulated counter as fuzzing seeds: one file per page and
# fault mode, the raw bytes the main window's device log would receive.
# Uso: fuzz/capturar.sh SIMULADOR PASTA [paginas] [falhas]
# Connects only to 127.0.0.1.
set -euo pipefail

simulador=${1:?caminho do fluxora-simulador}
pasta=${2:?pasta de saída}
paginas=${3:-"0 1 2 3 4 5 6 9"}
falhas=${4:-"normal status0 curta lixo corte semarduino enorme"}
# Keeps the seeds small; the flood of the "enorme" mode is cut here.
limite=4096

mkdir -p "$pasta"
saida=$(mktemp)
entrada=$(mktemp -u)
mkfifo "$entrada"
trap 'rm -f "$saida" "$entrada"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT

for falha in $falhas; do
  : >"$saida"
  "$simulador" --endereco 127.0.0.1 --porta 0 --semente 7 --data 31/03/2024 --hora 14:05:33 \
    --congelar --falha "$falha" <"$entrada" >"$saida" &
  pid=$!
  exec 4>"$entrada"
  porta=
  for _ in $(seq 1 100); do
    porta=$(sed -n 's/^ouvindo 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$saida")
    [ -n "$porta" ] && break
    sleep 0.05
  done
  [ -n "$porta" ] || { echo "simulador não começou a escutar" >&2; exit 1; }
  for p in $paginas; do
    exec 3<>"/dev/tcp/127.0.0.1/$porta"
    printf 'GET /%s HTTP/1.0\n\n' "$p" >&3
    timeout 5 head -c "$limite" <&3 >"$pasta/pagina${p}_${falha}" || true
    exec 3<&-
  done
  echo sair >&4
  exec 4>&-
  wait "$pid" || true
  pid=
done
# Replies that came back empty, or the same bytes twice, teach the fuzzer nothing.
find "$pasta" -type f -empty -delete
declare -A visto=()
for f in "$pasta"/*; do
  soma=$(md5sum <"$f" | cut -d' ' -f1)
  if [ -n "${visto[$soma]:-}" ]; then rm -f "$f"; else visto[$soma]=1; fi
done
