#!/usr/bin/env bash
# Makes the Debian package from a finished build and tries it as a shop's computer would:
# its contents, lintian, apt-get install, the installed program started headless twice with a
# fresh HOME (the first start makes the data folder, the second records the simulator's
# month), an upgrade over it, and removal, which must leave the user's data in place.
#   scripts/pacote.sh [BUILD_DIR] [LOOPBACK_ADDRESS]
# Needs root or sudo (apt-get, and the simulator on port 80 of the address, 127.0.0.1 by
# default). Leaves fluxora removed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
endereco=${2:-127.0.0.1}

falhar() {
  echo "pacote.sh: $*" >&2
  exit 1
}

IFS=. read -r o1 o2 o3 o4 resto <<<"$endereco"
for o in "$o2" "$o3" "$o4"; do
  [[ $o =~ ^[0-9]{1,3}$ ]] && [ "$o" -le 255 ] || o1=
done
[ "$o1" = 127 ] && [ -z "$resto" ] || falhar "$endereco is not a loopback address (127.x.y.z)"

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
scripts/dependencias.sh pacote
export DEBIAN_FRONTEND=noninteractive

trabalho=$(mktemp -d /tmp/fluxora-pacote.XXXXXX)
chmod 755 "$trabalho"
programa=
simulador=
instalado=
limpar() {
  [ -z "$programa" ] || kill "$programa" 2>/dev/null || true
  [ -z "$simulador" ] || "${sudo_cmd[@]}" kill "$simulador" 2>/dev/null || true
  if [ -n "$instalado" ]; then
    "${sudo_cmd[@]}" apt-get remove -y fluxora >/dev/null 2>&1 || true
  fi
}
trap limpar EXIT

# Polls for up to $1 seconds until the command after it succeeds.
esperar() {
  local prazo=$(($(date +%s) + $1))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$prazo" ] || return 1
    sleep 0.2
  done
}

echo "== package =="
rm -rf "$dir"/fluxora_*.deb "$dir/_CPack_Packages"
# CPack's staging folders take the umask: a stricter one would ship folders that only root
# can read, the template's among them.
umask 022
cpack --config "$dir/CPackConfig.cmake" -G DEB
versao=$(sed -n 's/^project(Fluxora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$dir/fluxora_${versao}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || falhar "no $deb"
[ "$(dpkg-deb -f "$deb" Version)" = "$versao" ] || falhar "package version is not $versao"
ls -l "$deb"
dpkg-deb -I "$deb"

echo "== contents =="
conteudo=$(dpkg-deb -c "$deb" | awk '{print $6}')
echo "$conteudo"
esperados=(
  ./usr/bin/fluxora ./usr/bin/fluxora-simulador ./usr/share/fluxora/Fluxoradb.mdb
  ./usr/share/applications/fluxora.desktop ./usr/share/icons/hicolor/scalable/apps/fluxora.svg
  ./usr/share/doc/fluxora/changelog.gz ./usr/share/doc/fluxora/copyright
  ./usr/share/man/man1/fluxora.1.gz ./usr/share/man/man1/fluxora-simulador.1.gz
)
for tamanho in 16 24 32 48 64 128 256; do
  esperados+=("./usr/share/icons/hicolor/${tamanho}x${tamanho}/apps/fluxora.png")
done
for f in "${esperados[@]}"; do
  grep -qxF "$f" <<<"$conteudo" || falhar "the package lacks $f"
done
fora=$(grep -vxE '\./|\./usr/.*' <<<"$conteudo" || true)
[ -z "$fora" ] || falhar "files outside /usr: $fora"
fechadas=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print $1, $6}')
[ -z "$fechadas" ] || falhar "folders not readable by everyone: $fechadas"
# No maintainer script: nothing of the package's own may run on install, upgrade or removal.
controle=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
! grep -qE 'preinst|postinst|prerm|postrm|config$' <<<"$controle" || falhar "maintainer scripts: $controle"
depende=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6widgets6 libqt6charts6 libqt6sql6-sqlite fonts-liberation fonts-dejavu-core \
  qt6-translations-l10n; do
  grep -qE "(^|, )$d( |,|$)" <<<"$depende" || falhar "Depends lacks $d: $depende"
done
changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/fluxora/changelog.gz | zcat | head -1)
[[ $changelog == "fluxora ($versao) "* ]] || falhar "the changelog's top entry is not $versao: $changelog"

echo "== lintian =="
lintian --fail-on error --info "$deb"

echo "== install =="
deb=$(realpath "$deb")
instalado=1
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$deb"
dpkg -L fluxora >"$trabalho/arquivos"
fora=$(grep -vxE '/\.|/usr(/.*)?' "$trabalho/arquivos" || true)
[ -z "$fora" ] || falhar "installed outside /usr: $fora"
[ "$(fluxora --version)" = "Fluxora $versao" ] || falhar "fluxora --version says: $(fluxora --version)"
fluxora --help | grep -q '^Uso: fluxora' || falhar "fluxora --help says: $(fluxora --help)"
grep -qx 'Name=Fluxora' /usr/share/applications/fluxora.desktop || falhar "no menu entry Fluxora"
grep -qx 'Exec=fluxora' /usr/share/applications/fluxora.desktop || falhar "the menu entry does not start fluxora"

echo "== first start, headless, fresh HOME =="
# As a user without privileges when run as root: the data folder must be the user's own.
casa="$trabalho/casa"
mkdir "$casa"
usuario=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$casa"
  usuario=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
banco="$casa/.local/share/Fluxora/Fluxora/Fluxoradb.mdb"
iniciarPrograma() {
  "${usuario[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_RUNTIME_DIR \
    -u DISPLAY -u WAYLAND_DISPLAY HOME="$casa" QT_QPA_PLATFORM=offscreen \
    /usr/bin/fluxora >>"$trabalho/programa.log" 2>&1 &
  programa=$!
}
pararPrograma() {
  kill "$programa"
  wait "$programa" 2>/dev/null || true
  programa=
}
iniciarPrograma
esperar 30 test -s "$banco" || falhar "no $banco after the first start; $(cat "$trabalho/programa.log")"
pararPrograma
sqlite3 "$banco" 'SELECT count(*) FROM ethernet' | grep -qx 1 || falhar "$banco is not the template"
ls -la "$(dirname "$banco")"

echo "== second start: records the simulator's month =="
IFS=. read -r o1 o2 o3 o4 <<<"$endereco"
# Only this run's readings count: whatever the first start may have read is dropped.
sqlite3 "$banco" "UPDATE ethernet SET txt_ip1CP = $o1, txt_ip2CP = $o2, txt_ip3CP = $o3, txt_ip4CP = $o4;
                  DELETE FROM Meses; DELETE FROM Dias;"
hoje=$(date +%d/%m/%Y)
relogio=(--semente 16 --data "$hoje" --hora 12:00:00 --congelar)
"${sudo_cmd[@]}" /usr/bin/fluxora-simulador --endereco "$endereco" --porta 80 "${relogio[@]}" \
  >"$trabalho/simulador.log" 2>&1 </dev/null &
simulador=$!
esperar 10 grep -q ouvindo "$trabalho/simulador.log" || falhar "simulator: $(cat "$trabalho/simulador.log")"
dia=$((10#$(date +%d)))
esperado=
for d in $(seq 1 31); do
  if [ "$d" -gt "$dia" ]; then
    esperado+=00000
    continue
  fi
  pagina=$((d <= 12 ? 1 : d <= 24 ? 2 : 3))
  esperado+=$(fluxora-simulador --mostrar "$pagina" "${relogio[@]}" | grep -o "\"d\":$d,.\{11\}" | tail -c 6)
done
coluna=$(echo jan fev mar abr mai jun jul ago sete out nov dez | cut -d' ' -f"$((10#$(date +%m)))")
ano=$(date +%Y)
mes() { sqlite3 "$banco" "SELECT substr($coluna, 1, 155) FROM Meses WHERE ano = '$ano'" 2>/dev/null || true; }
mesGravado() { [ "$(mes)" = "$esperado" ]; }
iniciarPrograma
esperar 60 mesGravado ||
  falhar "month $coluna/$ano recorded as '$(mes)', the simulator has '$esperado'; $(cat "$trabalho/programa.log")"
pararPrograma
grep -q 'pedido /3' "$trabalho/simulador.log" || falhar "the program never asked the simulator"
"${sudo_cmd[@]}" kill "$simulador"
wait "$simulador" 2>/dev/null || true
simulador=
echo "recorded $coluna/$ano: $(mes)"
antes=$(sha256sum <"$banco")

echo "== upgrade =="
novo="$trabalho/novo"
dpkg-deb -R "$deb" "$novo"
sed -i "s/^Version: .*/Version: $versao+1/" "$novo/DEBIAN/control"
dpkg-deb --root-owner-group -b "$novo" "$trabalho/fluxora_novo.deb" >/dev/null
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$trabalho/fluxora_novo.deb"
[ "$(dpkg-query -W -f='${Version}' fluxora)" = "$versao+1" ] || falhar "the upgrade did not install"
[ "$(sha256sum <"$banco")" = "$antes" ] || falhar "the upgrade changed $banco"

echo "== removal =="
"${sudo_cmd[@]}" apt-get remove -y fluxora
instalado=
! dpkg-query -W -f='${Status}' fluxora 2>/dev/null | grep -q 'install ok' || falhar "fluxora is still installed"
while read -r f; do
  [ -d "$f" ] || [ ! -e "$f" ] || falhar "removal left $f"
done <"$trabalho/arquivos"
[ "$(sha256sum <"$banco")" = "$antes" ] || falhar "removal changed $banco"
[ "$(mes)" = "$esperado" ] || falhar "the recorded month is gone after removal"
rm -rf "$trabalho"
echo "pacote.sh: $deb is fine"
