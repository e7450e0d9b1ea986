#!/usr/bin/env bash
# Installs the Debian 12 packages Fluxora needs to build, test and run.
#   scripts/dependencias.sh [pacote]   (pacote: also what making and checking the .deb needs)
set -euo pipefail

pacotes=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev libgl-dev
  fonts-liberation fonts-dejavu-core
  qt6-translations-l10n
  xvfb xauth
  dbus-daemon
  sqlite3 libcap2-bin time
  clang libclang-rt-14-dev
  libbenchmark-dev
  libxlsxwriter-dev python3-openpyxl
  libx11-dev libxss-dev
  mdbtools mdbtools-dev nodejs
)
# Debian's npm; a Node.js from elsewhere brings its own and would conflict with it.
command -v npm >/dev/null || pacotes+=(npm)
if [ "${1:-}" = pacote ]; then
  # CPack hands dpkg-shlibdeps only the files that `file` says are ELF.
  pacotes+=(dpkg-dev file lintian)
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

faltando=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando+=("$p")
done
if [ "${#faltando[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${faltando[@]}"
fi
