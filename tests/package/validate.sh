#!/bin/sh
# Runs a validator that must pass without a complaint, or skips when it is not installed.
# Arguments: the validator's Debian package, the validator and its arguments.
package=$1 tool=$2
shift 2
command -v "$tool" >/dev/null || { echo "$tool not found (apt-get install $package): skipped"; exit 77; }
output=$("$tool" "$@" 2>&1)
status=$?
printf '%s\n' "$output"
# desktop-file-validate reports errors, warnings and hints with a zero exit status.
[ $status -eq 0 ] && ! printf '%s\n' "$output" | grep -Eq ': (error|warning|hint):'
