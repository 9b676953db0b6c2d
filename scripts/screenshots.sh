#!/usr/bin/env bash
# Takes the screenshots under docs/ anew: the viewer on the sample directory in a virtual X
# display, driven from outside with real keys and clicks, every window and dialog in turn.
#   scripts/screenshots.sh [BUILD-DIR]        (default build-release, as ./run.sh makes it)
# With the Windows build folder (build-windows, made by scripts/windows.sh) the programs run under
# Wine, in the prefix that script set up, and the screenshots go to docs/windows/. There the
# viewer runs in a Wine desktop of its own, where Wine draws every window and its frame as Windows
# does (a Wine window managed on its own under Xvfb is not repainted where a closed dialog was).
# The session then sees one window: a dialog is found as what changed on it, and each shot is cut
# to the main window or to the dialog.
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

shots=$root/docs
wine=() exe=
if [ -e "$build/viewer/Belfrix.exe" ]; then
  export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/belfrix/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  shots=$root/docs/windows wine=(/usr/lib/wine/wine64) exe=.exe
  # A steady caret, so that a dialog with a text box settles.
  "${wine[@]}" reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null
fi
program() { echo "$build/$1$exe"; }

work=$(mktemp -d)
# Wine's own processes outlive a stopped program: its server ends them.
trap '[ -z "$exe" ] || /usr/lib/wine/wineserver64 -k 2>/dev/null; xs_stop; rm -rf "$work"' EXIT
cp data/vesk.txt data/map.dat "$work/"
(cd "$work" && "${wine[@]}" "$(program compiler/veskcomp)" >/dev/null)

# A document with three fields of the user's own and values for the first tower of the list:
# little-endian numbers and length-prefixed texts, as the viewer writes them.
byte() { printf "$(printf '\\x%02x' "$1")"; }
le32() { byte $(($1 & 255)); byte $((($1 >> 8) & 255)); byte $((($1 >> 16) & 255)); byte $((($1 >> 24) & 255)); }
text() { byte "${#1}"; printf '%s' "$1"; }
first=$(cd "$work" && "${wine[@]}" "$(program cli/veskquery)" --ids | sed -n '1{s/\r$//;p;}')
{
  text TQ102665; printf '\x00\x00\x00\x00\x00\x6a\xe8\x40'; le32 3
  le32 0; text Visited; le32 1; le32 "$first"; le32 146712     # 7/9/2002
  le32 1; text Peals; le32 1; le32 "$first"; le32 12
  le32 2; text Remarks; le32 1; le32 "$first"; text "Rang Grandsire Triples"
} >"$work/visits.bx0"
# Saved again as the viewer saves it, with the towers its values belong to.
(cd "$work" && "${wine[@]}" "$(program cli/veskquery)" --doc visits.bx0 --save-doc visits.bx0 2>/dev/null)

# The session's primitives, for the viewer's own windows or for the Wine desktop.
desktop=1300x900
main_box= dialog_box= active_title= origin_x=0 origin_y=0

# The box (W H X Y) of what is not black in an image read from standard input.
lit_box() { convert - -fill white -fuzz 0 +opaque black -trim -format '%w %h %X %Y\n' info: 2>/dev/null; }

# The box (WxH+X+Y) of the active window on the desktop: its title bar is the one in the active
# colour, and it reaches down as far as the desktop changed since the shot before it opened.
active_window_box() {  # before now
  local tw th tx ty w h x y
  read -r tw th tx ty < <(convert "$2" -fuzz 8% -fill black +opaque "$active_title" png:- | lit_box)
  # The frame around the title bar.
  x=$((tx > 3 ? tx - 3 : 0)) y=$((ty > 3 ? ty - 3 : 0)) w=$((tw + 6))
  read -r _ h _ _ < <(convert "$1" "$2" -compose difference -composite \
    -crop "${w}x${desktop#*x}+$x+$y" +repage png:- | lit_box)
  echo "${w}x$h+$x+$y"
}

start_viewer() {  # viewer arguments
  if [ -z "$exe" ]; then
    xs_launch "$work" "$(program viewer/Belfrix)" "$@"
    w=$(xs_wait_window ' - Belfrix$' 30)
    xs_wait_stable "$w" 10
    return
  fi
  xs_launch "$work" "${wine[@]}" explorer "/desktop=belfrix,$desktop" "$(program viewer/Belfrix)" "$@"
  w=$(xs_wait_window '^belfrix - Wine desktop$' 30)
  xs_shot "$work/empty.png" "$w"
  xs_wait_change "$work/empty.png" "$w" "$desktop+0+0" 30
  xs_wait_stable "$w" 10
  # The window whole: all but the desktop's colour, seen in the corner the window leaves free.
  xs_shot "$work/now.png" "$w"
  local width height x y
  read -r width height x y < <(convert "$work/now.png" -bordercolor "$(xs_pixel "$work/now.png" 0 $((${desktop#*x} - 1)))" \
    -border 1 -trim -format '%w %h %X %Y\n' info:)
  main_box=${width}x$height+$((x - 1))+$((y - 1))
  origin_x=$((x - 1 + 3)) origin_y=$((y - 1 + 13))
  active_title=$(xs_pixel "$work/now.png" $((x + width / 2)) $((y + 6)))
}

# Shoots the main window, or the screen (with its menus) when where is "screen".
shot_main() {  # file [screen]
  if [ -z "$exe" ]; then
    if [ "${2:-}" = screen ]; then xs_shot "$1"; else xs_shot "$1" "$w"; fi
  else
    xs_shot "$work/now.png" "$w"
    convert "$work/now.png" -crop "$main_box" +repage "$1"
  fi
}

before() { [ -z "$exe" ] || xs_shot "$work/before.png" "$w"; }

# Waits for the dialog opened since `before`: d is its window, the desktop under Wine.
dialog() {  # title
  if [ -z "$exe" ]; then
    d=$(xs_wait_window "^$1\$" 10)
    xs_wait_stable "$d" 5
  else
    xs_wait_change "$work/before.png" "$w" "$desktop+0+0" 10
    xs_wait_stable "$w" 5
    xs_shot "$work/now.png" "$w"
    dialog_box=$(active_window_box "$work/before.png" "$work/now.png")
    d=$w
  fi
}

shot_dialog() {  # file
  if [ -z "$exe" ]; then
    xs_shot "$1" "$d"
  else
    convert "$work/now.png" -crop "$dialog_box" +repage "$1"
  fi
}

close_dialog() {  # title
  xs_key "$d" Escape
  if [ -z "$exe" ]; then
    xs_wait_gone "^$1\$" 10
  else
    xs_wait_change "$work/now.png" "$w" "$desktop+0+0" 10
    xs_wait_stable "$w" 5
  fi
}

open_menu() {  # key
  [ -z "$exe" ] || xs_shot "$work/menu-closed.png" "$w"
  xs_key "$w" "$1"
  if [ -z "$exe" ]; then xs_wait_popup 10 >/dev/null; else xs_wait_change "$work/menu-closed.png" "$w" "$desktop+0+0" 10; fi
  xs_wait_stable root 5
}

close_menu() {
  xs_key - Escape
  if [ -z "$exe" ]; then
    xs_wait_no_popup 10
  else
    xs_key - Escape  # the first leaves the menu bar chosen
    xs_wait_stable "$w" 5
  fi
}

click() { xs_click "$w" $((origin_x + $1)) $((origin_y + $2)); }
double_click() { xs_dblclick "$w" $((origin_x + $1)) $((origin_y + $2)); }

close_viewer() {
  if [ -z "$exe" ]; then xs_close "$w"; else xs_key "$w" alt+F4; fi
  xs_wait_exit 20
}

mkdir -p "$shots/dialogs"
xs_start
start_viewer
shot_main "$shots/main-window.png"

# A dialog opened by a key, shot once it has settled, closed with Escape.
shot() {  # key title file
  before
  xs_key "$w" "$1"
  dialog "$2"
  shot_dialog "$shots/dialogs/$3.png"
  close_dialog "$2"
}
shot F2 Options options
shot F3 Select select
shot F4 Sort sort
shot F5 "User-defined Fields" user-fields

before
open_menu alt+h
xs_key - a
dialog 'About Belfrix'
shot_dialog "$shots/dialogs/about.png"
close_dialog 'About Belfrix'

# The View and Data menus with their keys.
for menu in view data; do
  open_menu "alt+${menu:0:1}"
  shot_main "$shots/$menu-menu.png" screen
  close_menu
done

click 895 370
xs_wait_stable "$w" 5
xs_key "$w" KP_Add KP_Add
xs_wait_stable "$w" 10
shot_main "$shots/main-window-picked-zoomed.png"
close_viewer

# The document with its fields: the list carries their values, Tower Details and its entry
# dialogs show them.
start_viewer visits.bx0
shot_main "$shots/main-window-document.png"
# The first tower is picked first, so that the double click brings only the dialog.
click 60 33
xs_wait_stable "$w" 5
before
double_click 60 33
dialog 'Tower Details'
shot_dialog "$shots/dialogs/tower-details.png"
# Tab from OK to each field's button; space opens its entry dialog.
for entry in "Enter Date:enter-date:1" "Enter Number:enter-number:2" "Enter Text:enter-text:3"; do
  IFS=: read -r title file tabs <<<"$entry"
  close_dialog 'Tower Details'
  before
  double_click 60 33
  dialog 'Tower Details'
  details=$d
  for _ in $(seq "$tabs"); do xs_key "$d" Tab; done
  xs_wait_stable "$w" 5
  before
  xs_key "$d" space
  dialog "$title"
  shot_dialog "$shots/dialogs/$file.png"
  close_dialog "$title"
  d=$details
done
close_dialog 'Tower Details'

# What cannot be kept is refused with a message, and a change that hides values says so: shot in
# the viewer's own windows, where the keyboard types any character.
if [ -z "$exe" ]; then
  before
  double_click 60 33
  dialog 'Tower Details'
  details=$d
  for _ in 1 2 3; do xs_key "$d" Tab; done
  xs_key "$d" space
  dialog 'Enter Text'
  entry=$d
  xs_type 'Łódź'
  xs_key "$d" Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/enter-text-refused.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10
  d=$entry
  close_dialog 'Enter Text'
  d=$details
  close_dialog 'Tower Details'

  # A date bound that names another day than typed.
  xs_key "$w" F3
  dialog Select
  select=$d
  xs_click "$d" 90 52
  xs_type 'Visited'
  xs_click "$d" 128 99
  xs_type '7/13/2002'
  xs_key "$d" Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/select-date-refused.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10
  d=$select
  close_dialog Select

  # The name of the second field, Peals, emptied.
  xs_key "$w" F5
  dialog 'User-defined Fields'
  xs_click "$d" 200 98
  xs_key "$d" ctrl+a Delete Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/user-fields-hidden-values.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10

  # A field named without a type.
  xs_key "$w" F5
  dialog 'User-defined Fields'
  fields=$d
  xs_click "$d" 200 178
  xs_type 'Towers rung'
  xs_key "$d" Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/user-fields-no-type.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10
  d=$fields
  close_dialog 'User-defined Fields'

  # A radius with more digits than a radius keeps.
  xs_key "$w" F2
  dialog Options
  options=$d
  xs_click "$d" 150 173
  xs_key "$d" ctrl+a
  xs_type '123456.789'
  xs_key "$d" Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/options-radius-refused.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10
  d=$options
  close_dialog Options

  # Margins that leave the list too little of the page: refused, then offered again as typed.
  open_menu alt+f
  xs_key - r
  dialog 'Page setup'
  xs_click "$d" 185 145
  xs_key "$d" ctrl+a
  xs_type '81'
  xs_click "$d" 440 145
  xs_key "$d" ctrl+a
  xs_type '80'
  xs_key "$d" Return
  dialog Belfrix
  shot_dialog "$shots/dialogs/print-setup-margins-refused.png"
  xs_key "$d" Return
  xs_wait_gone '^Belfrix$' 10
  dialog 'Page setup'
  shot_dialog "$shots/dialogs/print-setup-offered-again.png"
  close_dialog 'Page setup'

  # A letter no place name can hold, typed into the list, finds nothing.
  click 60 33
  xs_wait_stable "$w" 5
  xs_type 'Łbe'
  xs_wait_stable "$w" 5
  shot_main "$shots/main-window-find-unknown-letter.png"
  xs_key "$w" Escape
  # Closing asks whether to save the changed document: no.
  xs_close "$w"
  dialog Belfrix
  xs_key "$d" alt+n
  xs_wait_exit 20
else
  close_viewer
fi
echo "screenshots in $shots"
