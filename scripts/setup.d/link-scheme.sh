#!/usr/bin/env bash
# Registers the reader as the user's handler of "lumeno://" links (and of "fblumeno://", the
# social network login's way back): a desktop entry in the
# user's applications folder pointing at the release build, made the default for
# x-scheme-handler/lumeno. Idempotent; on a machine without a desktop it only writes the entry.
set -uo pipefail
cd "$(dirname "$0")/../.."

template=resources/desktop/lumeno.desktop.in
[ -f "$template" ] || exit 0
apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
entry="$apps/lumeno.desktop"
exec_path="$(pwd)/build/release/bin/lumeno"
# Quoted for the desktop entry's Exec key.
exec_quoted="\"${exec_path//\"/\\\"}\""

mkdir -p "$apps" || { echo "setup: cannot create $apps; link handler not registered"; exit 0; }
tmp="$(mktemp "$apps/.lumeno.desktop.XXXXXX")" || exit 0
sed "s|@LUMENO_EXEC@|${exec_quoted//|/\\|}|" "$template" >"$tmp"
if [ -f "$entry" ] && cmp -s "$tmp" "$entry"; then
  rm -f "$tmp"
else
  mv -f "$tmp" "$entry"
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$entry" >/dev/null 2>&1 || echo "setup: $entry does not validate"
fi
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q "$apps" >/dev/null 2>&1 || true
fi
if command -v xdg-mime >/dev/null 2>&1; then
  # lumeno:// links, and fblumeno:// that brings a social network login back to the reader.
  for scheme in lumeno fblumeno; do
    current="$(xdg-mime query default "x-scheme-handler/$scheme" 2>/dev/null || true)"
    if [ "$current" != "lumeno.desktop" ]; then
      xdg-mime default lumeno.desktop "x-scheme-handler/$scheme" >/dev/null 2>&1 ||
        echo "setup: no desktop to register $scheme:// links with (the entry is in $apps)"
    fi
  done
fi
exit 0
