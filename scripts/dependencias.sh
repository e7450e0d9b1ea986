#!/usr/bin/env bash
# Installs the Debian 12 packages Fluxora needs to build, test and run, on a machine that may
# have nothing but a minimal Debian: every library a link line asks for is named here, even
# one that usually comes along with something else.
#   scripts/dependencias.sh [pacote] [ci]
#     pacote: also what making and checking the .deb needs
#     ci:     also what .ci/run needs around the build (the fresh root, the format check)
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
  # xlsxwriter's pkg-config file links -lz, and its -dev package does not pull zlib's in.
  libxlsxwriter-dev zlib1g-dev python3-openpyxl
  libx11-dev libxss-dev
  mdbtools mdbtools-dev nodejs
)
# Debian's npm; a Node.js from elsewhere brings its own and would conflict with it.
command -v npm >/dev/null || pacotes+=(npm)
for grupo in "$@"; do
  case $grupo in
    # CPack hands dpkg-shlibdeps only the files that `file` says are ELF.
    pacote) pacotes+=(dpkg-dev file lintian) ;;
    ci) pacotes+=(debootstrap clang-format-14 git) ;;
    *)
      echo "dependencias.sh: unknown group $grupo" >&2
      exit 2
      ;;
  esac
done

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
