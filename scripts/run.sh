#!/usr/bin/env bash
# Builds Tamsel, installs it into the program's folder, prepares a demo database there when
# none exists yet, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
prefix=${TAMSEL_PREFIX:-$HOME/.local/opt/tamsel}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
cmake --install build/release --prefix "$prefix" >/dev/null

# Tamsel appears in the desktop's application menu.
if [ -f "$prefix/share/applications/tamsel.desktop" ]; then
  install -Dm644 "$prefix/share/applications/tamsel.desktop" \
    "$HOME/.local/share/applications/tamsel.desktop"
fi
# The installed control library is registered in the user's component registry.
if [ -x "$prefix/vantil-regsvr" ] && [ -f "$prefix/libvantil.so" ]; then
  "$prefix/vantil-regsvr" "$prefix/libvantil.so" >/dev/null
fi

if [ ! -e "$prefix/Roumu.MDB" ]; then
  "$prefix/tamsel-db" init --demo "$prefix/Roumu.MDB"
fi
# The maintenance screen backs up into the folder bkmdb.ini names; a relative folder is taken
# from the program's folder, so a new installation backs up into "backup" beside the database.
if [ ! -e "$prefix/bkmdb.ini" ]; then
  printf '[BKPATH]\nPATH=backup\n' > "$prefix/bkmdb.ini"
fi
if [ -x "$prefix/tamsel" ]; then
  exec "$prefix/tamsel"
fi
exec "$prefix/tamsel-db" sql "$prefix/Roumu.MDB" "SELECT * FROM SYAIN_MT ORDER BY SYAINID DESC"
