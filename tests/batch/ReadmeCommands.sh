#!/usr/bin/env bash
# Runs every line of README.md that starts with "quelmar-batch" inside a code
# block, in order and as written, after the README's set-up: in a folder
# holding the samples and an out/ folder, with the program first on PATH.
# Fails on the first line that exits non-zero, naming it.
# Usage: ReadmeCommands.sh SOURCE_DIR PROGRAM_DIR
set -euo pipefail
root=$1
export PATH="$2:$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/samples" "$work/out"
cp "$root"/samples/*.dat "$work/samples/"
cd "$work"
commands=$(awk '/^ *```/ { inside = !inside; next } inside && /^ *quelmar-batch / { sub(/^ */, ""); print }' \
  "$root/README.md")
[ -n "$commands" ] || { echo "README.md holds no quelmar-batch line" >&2; exit 1; }
count=0
while IFS= read -r command; do
  echo "\$ $command"
  bash -o pipefail -c "$command" || { echo "README line failed (exit $?): $command" >&2; exit 1; }
  count=$((count + 1))
done <<< "$commands"
echo "$count README commands ran"
