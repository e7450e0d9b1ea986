#!/usr/bin/env bash
# Builds Fluxora and starts it against the simulated counter on 127.0.0.1 port 80.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
cmake -S . -B build
cmake --build build -j"$(nproc)"

# Port 80 is privileged: as a normal user the simulator needs the capability to bind it.
if [ "$(id -u)" -ne 0 ]; then
  if ! getcap build/fluxora-simulador | grep -q cap_net_bind_service; then
    sudo setcap 'cap_net_bind_service=+ep' build/fluxora-simulador
  fi
fi

build/fluxora-simulador --endereco 127.0.0.1 --porta 80 &
simulador=$!
trap 'kill "$simulador" 2>/dev/null || true' EXIT
sleep 0.5
build/fluxora
