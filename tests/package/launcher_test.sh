#!/bin/sh
# Runs the installed launcher in a scratch home with a stand-in viewer that notes where it was
# started and with what. Arguments: cmake, the build folder.
set -eu
cmake=$1 build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
cat > "$root/usr/bin/Belfrix" <<'EOF_VIEWER'
#!/bin/sh
printf '%s\n' "$PWD" "$@" > "$HOME/viewer-started"
EOF_VIEWER
export HOME="$scratch/home of a ringer"
unset XDG_DATA_HOME
data=$HOME/.local/share/belfrix
mkdir -p "$HOME" "$scratch/documents/sub"
cd "$scratch/documents"

failed=0
check() {  # what, value, expected
    [ "$2" = "$3" ] || { printf '%s is\n%s\nexpected\n%s\n' "$1" "$2" "$3"; failed=1; }
}
start() { "$root/usr/bin/belfrix" "$@" >/dev/null; }

# First start: the folder is made and holds the compiled sample and the map.
start
mkdir "$scratch/compiled" && cp "$root/usr/share/belfrix/vesk.txt" "$scratch/compiled/"
(cd "$scratch/compiled" && "$root/usr/bin/veskcomp" >/dev/null)
cmp "$data/vesk.dat" "$scratch/compiled/vesk.dat" || failed=1
cmp "$data/map.dat" "$root/usr/share/belfrix/map.dat" || failed=1
check "the viewer's start" "$(cat "$HOME/viewer-started")" "$data"

# Later starts leave the user's own files alone.
echo "the user's own directory" > "$data/vesk.dat"
echo "the user's own map" > "$data/map.dat"
start
check "vesk.dat" "$(cat "$data/vesk.dat")" "the user's own directory"
check "map.dat" "$(cat "$data/map.dat")" "the user's own map"

# The document argument reaches the viewer, relative ones made absolute from where the user was.
while IFS='|' read -r argument expected; do
    start "$argument"
    check "the viewer's start with '$argument'" "$(cat "$HOME/viewer-started")" "$data
$expected"
done <<EOF_ROWS
towers.bx0|$scratch/documents/towers.bx0
sub/visits 2024.bx0|$scratch/documents/sub/visits 2024.bx0
../towers.bx0|$scratch/documents/../towers.bx0
/srv/shared/towers.bx0|/srv/shared/towers.bx0
EOF_ROWS

# XDG_DATA_HOME, when set, is where the folder goes.
(XDG_DATA_HOME=$scratch/xdg && export XDG_DATA_HOME && start)
check "the viewer's start under XDG_DATA_HOME" "$(cat "$HOME/viewer-started")" "$scratch/xdg/belfrix"
[ -s "$scratch/xdg/belfrix/vesk.dat" ] || { echo "no vesk.dat under XDG_DATA_HOME"; failed=1; }
exit $failed
