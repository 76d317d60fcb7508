#!/usr/bin/env bash
# Installs the program's menu entry and icon for the current user.
#
# The program keeps its settings in paths relative to its working directory ("bin//..."),
# so the entry starts it in a folder of its own, $XDG_DATA_HOME/rizazovoz (by default
# ~/.local/share/rizazovoz), never in the home folder. Desktop entries do not expand ~ or
# $HOME, so the entry is written here with that folder spelled out in its Path= line.
#
#   packaging/install-desktop-entry.sh [PROGRAM]   (default: build/src/app/rizazovoz)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$here/../build/src/app/rizazovoz}"
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
program="$(cd "$(dirname "$program")" && pwd)/$(basename "$program")"

data="${XDG_DATA_HOME:-$HOME/.local/share}"
workdir="$data/rizazovoz"
mkdir -p "$workdir/bin" "$data/applications" "$data/icons/hicolor/256x256/apps"

install -m 644 "$here/../src/gui/resources/icon.png" "$data/icons/hicolor/256x256/apps/rizazovoz.png"
entry="$data/applications/rizazovoz.desktop"
# Exec= takes a quoted path; sed's separator is a character no path here contains.
sed -e "s|@PROGRAM@|\"$program\"|" -e "s|@WORKDIR@|$workdir|" "$here/rizazovoz.desktop.in" >"$entry"
chmod 644 "$entry"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
echo "Installed $entry (working directory $workdir)"
