#!/usr/bin/env bash
# Takes the screenshots under docs/ anew: the viewer on the sample directory in a virtual X
# display, driven from outside with real keys and clicks, every window and dialog in turn.
#   scripts/screenshots.sh [BUILD-DIR]        (default build-release, as ./run.sh makes it)
# Needs the session tools beside the project (XSESSION, default ../shared/tools/xsession.sh) and
# xvfb xdotool x11-utils imagemagick evilwm.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/${1:-build-release}
xsession=${XSESSION:-$root/../shared/tools/xsession.sh}
scripts/install-deps.sh xvfb xdotool x11-utils imagemagick evilwm
# shellcheck source=/dev/null
. "$xsession"

work=$(mktemp -d)
trap 'xs_stop; rm -rf "$work"' EXIT
cp data/vesk.txt data/map.dat "$work/"
(cd "$work" && "$build/compiler/veskcomp" >/dev/null)

# A document with three fields of the user's own and values for the first tower of the list:
# little-endian numbers and length-prefixed texts, as the viewer writes them.
byte() { printf "$(printf '\\x%02x' "$1")"; }
le32() { byte $(($1 & 255)); byte $((($1 >> 8) & 255)); byte $((($1 >> 16) & 255)); byte $((($1 >> 24) & 255)); }
text() { byte "${#1}"; printf '%s' "$1"; }
first=$(cd "$work" && "$build/cli/veskquery" --ids | head -n 1)
{
  text TQ102665; printf '\x00\x00\x00\x00\x00\x6a\xe8\x40'; le32 3
  le32 0; text Visited; le32 1; le32 "$first"; le32 146712     # 7/9/2002
  le32 1; text Peals; le32 1; le32 "$first"; le32 12
  le32 2; text Remarks; le32 1; le32 "$first"; text "Rang Grandsire Triples"
} >"$work/visits.bx0"

shots=$root/docs
mkdir -p "$shots/dialogs"
xs_start
xs_launch "$work" "$build/viewer/Belfrix"
w=$(xs_wait_window ' - Belfrix$' 30)
xs_wait_stable "$w" 10
xs_shot "$shots/main-window.png" "$w"

# A dialog opened by a key, shot once it has settled, closed with Escape.
shot() {  # window key title file
  xs_key "$1" "$2"
  local d
  d=$(xs_wait_window "^$3\$" 10)
  xs_wait_stable "$d" 5
  xs_shot "$shots/dialogs/$4.png" "$d"
  xs_key "$d" Escape
  xs_wait_gone "^$3\$" 10
}
shot "$w" F2 Options options
shot "$w" F3 Select select
shot "$w" F4 Sort sort
shot "$w" F5 "User-defined Fields" user-fields
xs_key "$w" alt+h
xs_wait_popup 10
xs_key - a
d=$(xs_wait_window '^About Belfrix$' 10)
xs_wait_stable "$d" 5
xs_shot "$shots/dialogs/about.png" "$d"
xs_key "$d" Escape
xs_wait_gone '^About Belfrix$' 10

# The View and Data menus with their keys.
for menu in view data; do
  xs_key "$w" "alt+${menu:0:1}"
  xs_wait_popup 10
  xs_wait_stable root 5
  xs_shot "$shots/$menu-menu.png"
  xs_key - Escape
  xs_wait_no_popup 10
done

xs_click "$w" 895 370
xs_wait_stable "$w" 5
xs_key "$w" KP_Add KP_Add
xs_wait_stable "$w" 10
xs_shot "$shots/main-window-picked-zoomed.png" "$w"

xs_close "$w"
xs_wait_exit 20

# The document with its fields: the list carries their values, Tower Details and its entry
# dialogs show them.
xs_launch "$work" "$build/viewer/Belfrix" visits.bx0
w=$(xs_wait_window 'visits.bx0 - Belfrix$' 30)
xs_wait_stable "$w" 10
xs_shot "$shots/main-window-document.png" "$w"
xs_dblclick "$w" 60 33
d=$(xs_wait_window '^Tower Details$' 10)
xs_wait_stable "$d" 5
xs_shot "$shots/dialogs/tower-details.png" "$d"
# Tab from OK to each field's button; space opens its entry dialog.
for entry in "Enter Date:enter-date:1" "Enter Number:enter-number:2" "Enter Text:enter-text:3"; do
  IFS=: read -r title file tabs <<<"$entry"
  xs_key "$d" Escape
  xs_wait_gone '^Tower Details$' 10
  xs_dblclick "$w" 60 33
  d=$(xs_wait_window '^Tower Details$' 10)
  for _ in $(seq "$tabs"); do xs_key "$d" Tab; done
  xs_key "$d" space
  e=$(xs_wait_window "^$title\$" 10)
  xs_wait_stable "$e" 5
  xs_shot "$shots/dialogs/$file.png" "$e"
  xs_key "$e" Escape
  xs_wait_gone "^$title\$" 10
done
xs_key "$d" Escape
xs_wait_gone '^Tower Details$' 10
xs_close "$w"
xs_wait_exit 20
echo "screenshots in $shots"
