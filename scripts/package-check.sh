#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, desktop-file-validate and
# appstreamcli, then installs it (root only: CI's throwaway machine), makes a new
# catalogue and runs a dry import of the examples into it as a second, unprivileged
# user, removes the package and checks that no registration is left in the
# machine's registry.
set -euo pipefail
cd "$(dirname "$0")/.."

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
tools=(lintian desktop-file-utils appstream)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

deb=$(scripts/package.sh | tail -n 1)
echo "== package: $deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"

echo "== the component loads Qt's widgets only with its About box"
component_dir=$(dirname "$(find "$scratch/root" -name Lyrebox.ocx -print -quit)")
[ -f "$component_dir/LyreboxAbout.so" ] || { echo "the About box's library is not beside Lyrebox.ocx"; exit 1; }
if readelf -d "$component_dir/Lyrebox.ocx" | grep -q 'NEEDED.*libQt6'; then
  echo "Lyrebox.ocx links Qt itself, so every host loads Qt's widgets"
  exit 1
fi

echo "== lintian"
lintian --fail-on error "$deb"
echo "== desktop-file-validate"
desktop-file-validate "$scratch/root/usr/share/applications/mervalis.desktop"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/org.mervalis.Mervalis.metainfo.xml"

if [ "$(id -u)" -ne 0 ]; then
  echo "== install test skipped: it installs the package with dpkg, run it as root"
  exit 0
fi

registry=/etc/xdg/mervalis/component-registry
component='prjLyrebox.Lyrebox|CFF571BF-AB85-4320-A064-6CE66A128D5F'

echo "== install"
dpkg-query -W mervalis >/dev/null 2>&1 && dpkg -r mervalis >/dev/null
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$PWD/$deb" >/dev/null
grep -Eq "$component" "$registry" || { echo "the package did not register the component in $registry"; exit 1; }

echo "== a dry run as a second user"
user=mervalis-check
created_user=no
if ! id "$user" >/dev/null 2>&1; then
  useradd --create-home --shell /usr/sbin/nologin "$user"
  created_user=yes
fi
home=$(getent passwd "$user" | cut -d: -f6)
work="$scratch/as-user"
cp -r "$(dirname "$deb")/examples" "$work"
mkdir "$work/Filed"
chown -R "$user:" "$work"
chmod 755 "$scratch"
as_user=(runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin)
"${as_user[@]}" mervalis new-catalogue "$work/New.mdb"
status=0
output=$("${as_user[@]}" mervalis import --dry-run --catalogue "$work/New.mdb" --source "$work/Music" \
  --dest "$work/Filed" 2>&1) || status=$?
echo "$output"
if [ "$status" -gt 1 ] || [ -z "$output" ]; then
  echo "the dry run as $user failed with status $status"
  exit 1
fi

echo "== remove"
dpkg -r mervalis >/dev/null
if [ -e "$registry" ] && grep -Eq "$component" "$registry"; then
  echo "removing the package left the component registered in $registry:"
  cat "$registry"
  exit 1
fi
[ ! -e /usr/bin/mervalis ] || { echo "removing the package left /usr/bin/mervalis"; exit 1; }
dpkg -P mervalis >/dev/null
if [ -e "$registry" ] && ! grep -Eqv '^(;|\[|$)' "$registry"; then
  echo "purging the package left the emptied $registry"
  exit 1
fi
[ "$created_user" = no ] || userdel --remove "$user" 2>/dev/null
echo "== the package installs, serves a second user and leaves no registration behind"
