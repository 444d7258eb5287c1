#!/usr/bin/env bash
# Builds the Debian package into build-package/: a Release build for the prefix
# /usr without the tests, packed by CPack. Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"

# CPack's dependency search (dpkg-shlibdeps) and its file-type probe.
needed=()
command -v dpkg-shlibdeps >/dev/null || needed+=(dpkg-dev)
command -v file >/dev/null || needed+=(file)
if [ ${#needed[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}"
fi

dir=build-package
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DMERVALIS_TESTS=OFF -DMERVALIS_REGISTER_ON_INSTALL=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
ls -t "$dir"/mervalis_*.deb | head -n 1
