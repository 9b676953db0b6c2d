#!/usr/bin/env bash
# veskquery beside the sqlite3 shell on the 32767-tower benchmark directory, each answering the
# same three questions from its own data: eight-bell towers within 20 km of TQ102665 by distance
# as CSV, a full export by tenor weight, and the plain list in the default order. sqlite3 reads a
# table imported (untimed) from veskquery's own CSV, with the tenor weight in pounds and the grid
# reference as the numbers x and y. It also times veskquery's start-up (the default display of
# every tower as ids) with that directory against an empty vesk.dat.
# Goals, as ratios of median times from this run: at most 0.5 of sqlite3's time for the filtered
# query and 0.3 for the two full ones; start-up within 2 times the empty start-up.
#   bench/veskquery_vs_sqlite.sh [BUILD-FOLDER [RUNS]]     (default build-bench, 40 runs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-bench}")
runs=${2:-40}
command -v sqlite3 >/dev/null || { echo "sqlite3 is needed: apt-get install sqlite3" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/full" "$work/empty"
"$build/tools/make_sample_directory" --stress - "$work/full/vesk.txt" >/dev/null
(cd "$work/full" && "$build/compiler/veskcomp" >/dev/null)
printf '\xff\xff\xff\xff' >"$work/empty/vesk.dat"
veskquery=$build/cli/veskquery

cd "$work/full"
"$veskquery" --csv >../all.csv
# Irish references have a blank second letter, which instr finds nowhere (k2 = -1).
sqlite3 ../towers.db <<'SQL'
.mode csv
.import ../all.csv raw
CREATE TABLE towers AS SELECT *,
  CAST(weight AS INTEGER) * 112
    + CAST(substr(weight, instr(weight, '-') + 1) AS INTEGER) * 28
    + CAST(substr(substr(weight, instr(weight, '-') + 1),
                  instr(substr(weight, instr(weight, '-') + 1), '-') + 1) AS INTEGER) AS pounds,
  instr('VWXYZQRSTULMNOPFGHJKABCDE', substr("grid ref", 1, 1)) - 1 AS k1,
  instr('VWXYZQRSTULMNOPFGHJKABCDE', substr("grid ref", 2, 1)) - 1 AS k2,
  CAST(substr("grid ref", 3, 3) AS INTEGER) AS e,
  CAST(substr("grid ref", 6, 3) AS INTEGER) AS n
FROM raw;
ALTER TABLE towers ADD COLUMN x INTEGER;
ALTER TABLE towers ADD COLUMN y INTEGER;
UPDATE towers SET
  x = CASE WHEN "grid ref" = '' THEN 0 WHEN k2 < 0 THEN (k1 % 5) * 1000 - 1977 + e
           ELSE ((k1 % 5) * 5 + k2 % 5 - 10) * 1000 + e END,
  y = CASE WHEN "grid ref" = '' THEN 0 WHEN k2 < 0 THEN (k1 / 5) * 1000 + 1672 + n
           ELSE (k2 / 5) * 1000 + (k1 / 5) * 5000 - 5000 + n END;
SQL
columns='place, county, dedication, gf, bells, weight, note, ringable, night, time, "grid ref", www'
distance='((x - 5102) * (x - 5102) + (y - 1665) * (y - 1665))'

median_ms() {  # command... : the median wall time of one run, in milliseconds
  local times=() start
  for _ in $(seq "$runs"); do
    start=$EPOCHREALTIME
    "$@" >/dev/null
    times+=("$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print (b - a) * 1000 }')")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

report() {  # name goal ours theirs
  printf '%-34s veskquery %8.2f ms  %-8s %8.2f ms  ratio %.2f (goal <= %s)\n' "$1" "$3" "$5" "$4" \
    "$(awk -v a="$3" -v b="$4" 'BEGIN { print a / b }')" "$2"
}

filtered=("$veskquery" --centre TQ102665 --and "no of bells" 8 8 --and distance 0 20 --sort distance --csv)
filteredSql="SELECT $columns FROM towers WHERE bells = 8 AND x != 0 AND $distance <= 40000 ORDER BY $distance, place, county, dedication"
byWeight=("$veskquery" --sort-desc "tenor weight" --csv)
byWeightSql="SELECT $columns FROM towers ORDER BY pounds DESC, place, county"
plainList=("$veskquery")
plainListSql="SELECT $columns FROM towers ORDER BY place, county, dedication"

report "eight bells within 20 km, CSV" 0.5 "$(median_ms "${filtered[@]}")" \
  "$(median_ms sqlite3 -csv -header ../towers.db "$filteredSql")" sqlite3
report "full export by tenor weight" 0.3 "$(median_ms "${byWeight[@]}")" \
  "$(median_ms sqlite3 -csv -header ../towers.db "$byWeightSql")" sqlite3
report "plain list" 0.3 "$(median_ms "${plainList[@]}")" \
  "$(median_ms sqlite3 -list ../towers.db "$plainListSql")" sqlite3
full=$(median_ms "$veskquery" --ids)
empty=$(cd ../empty && median_ms "$veskquery" --ids)
report "start-up, 32767 towers" 2 "$full" "$empty" "empty"
