#!/usr/bin/env bash
# Runs a command in a fresh Debian 12 (debootstrap --variant=minbase, Debian's packages only)
# holding a copy of this tree as /work/fluxora and of ../shared as /work/shared, as a new
# developer's machine would after a clone. /proc, /dev, /dev/pts and /sys are mounted for the
# command and unmounted afterwards, whatever happens; the root is removed unless kept.
#   scripts/maquinaNova.sh [-m MIRROR] [-k ROOT] COMMAND...    (as root)
#     -m  the Debian mirror (default: the first bookworm one in this machine's apt sources)
#     -k  build the root in ROOT and keep it afterwards (ROOT must not exist yet)
# Example: scripts/maquinaNova.sh scripts/testar.sh
set -Eeuo pipefail
trap 'echo "maquinaNova.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
raiz_projeto=$(pwd)

falhar() {
  echo "maquinaNova.sh: $*" >&2
  exit 1
}

espelho=
manter=
while getopts m:k: opcao; do
  case $opcao in
    m) espelho=$OPTARG ;;
    k) manter=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ "$#" -gt 0 ] || falhar "no command given"
[ "$(id -u)" -eq 0 ] || falhar "needs root (debootstrap, mount, chroot)"
command -v debootstrap >/dev/null || falhar "no debootstrap (scripts/dependencias.sh ci)"
[ -d ../shared ] || falhar "no ../shared beside the tree"

if [ -z "$espelho" ]; then
  espelho=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    sed -n 's|^URIs:[[:space:]]*\(http[^ ]*/debian\)/*$|\1|p; s|^deb[[:space:]]\+\(http[^ ]*/debian\)/*[[:space:]]\+bookworm[[:space:]].*|\1|p' |
    head -n1 || true)
  espelho=${espelho:-http://deb.debian.org/debian}
fi

if [ -n "$manter" ]; then
  [ ! -e "$manter" ] || falhar "$manter already exists"
  mkdir -p "$manter"
  raiz=$(realpath "$manter")
else
  raiz=$(mktemp -d /var/tmp/fluxora-raiz.XXXXXX)
fi
# It becomes /: users other than root (apt's _apt, man, the package check's unprivileged user)
# must be able to walk it, and mktemp makes it 0700.
chmod 755 "$raiz"
montados=()
limpar() {
  local i p
  # The command may have left processes inside (a simulator); none may hold the mounts.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" != "$raiz" ] || kill -9 "${p#/proc/}" 2>/dev/null || true
  done
  for i in $(seq $((${#montados[@]} - 1)) -1 0); do
    umount "${montados[$i]}" 2>/dev/null || umount -l "${montados[$i]}" || true
  done
  if [ -z "$manter" ] && ! grep -q " $raiz/" /proc/mounts; then
    rm -rf --one-file-system "$raiz"
  fi
}
trap limpar EXIT
# A CI job stopped from outside still unmounts: a signal ends through the EXIT trap.
trap 'exit 130' INT TERM HUP
montar() {
  mkdir -p "$raiz$2"
  mount "${@:3}" "$1" "$raiz$2"
  montados+=("$raiz$2")
}

echo "== fresh Debian 12 in $raiz from $espelho =="
debootstrap --variant=minbase bookworm "$raiz" "$espelho" \
  >"$raiz.debootstrap.log" 2>&1 || {
  tail -n 30 "$raiz.debootstrap.log" >&2
  falhar "debootstrap failed"
}
rm -f "$raiz.debootstrap.log"
cat >"$raiz/etc/apt/sources.list" <<FONTES
deb $espelho bookworm main
deb $espelho bookworm-updates main
FONTES
cp -L /etc/resolv.conf "$raiz/etc/resolv.conf"
# Certificate authorities this machine's network adds (a proxy in front of the package
# registries, say) are part of reaching them, like resolv.conf: npm in the root gets them too.
extras=()
for ca in /usr/local/share/ca-certificates/*.crt; do
  [ -f "$ca" ] && extras+=("$ca")
done
ambiente_ca=()
if [ "${#extras[@]}" -gt 0 ]; then
  mkdir -p "$raiz/etc/ssl"
  cat "${extras[@]}" >"$raiz/etc/ssl/autoridades-da-maquina.pem"
  ambiente_ca=(NODE_EXTRA_CA_CERTS=/etc/ssl/autoridades-da-maquina.pem)
fi
# The host's downloaded packages, linked in, spare fetching them again: the root's apt takes
# one only when it is the very file its own index names, and installs only what it asks for.
find /var/cache/apt/archives -maxdepth 1 -name '*.deb' -exec cp -l -t "$raiz/var/cache/apt/archives" {} + \
  2>/dev/null || true

echo "== the tree as /work/fluxora, ../shared as /work/shared =="
mkdir -p "$raiz/work/fluxora"
tar -C "$raiz_projeto" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$raiz/work/fluxora" -xf -
cp -a ../shared "$raiz/work/shared"

montar proc /proc -t proc
montar /dev /dev --bind
montar devpts /dev/pts -t devpts -o newinstance,ptmxmode=0666
montar sysfs /sys -t sysfs

echo "== in the fresh root: $* =="
chroot "$raiz" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI="${CI:-}" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${ambiente_ca[@]}" \
  /bin/bash -c 'cd /work/fluxora && "$@"' bash "$@" </dev/null
