#!/bin/sh
# pip install as the README says, from a clone, into a fresh virtual
# environment with the system's packages; then the README's Python example,
# run outside the source tree. $1: the source tree (a git checkout).
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q "$1" "$work/clone"
/usr/bin/python3 -m venv --system-site-packages "$work/venv"
cd "$work/clone"
install=$(sed -n 's/^\$ \(pip install .*\)$/\1/p' README.md)
[ -n "$install" ] || { echo "the README names no pip install command" >&2; exit 1; }
PATH="$work/venv/bin:$PATH" sh -c "$install --no-index --quiet"
mkdir "$work/run"
cd "$work/run"
ln -s "$work/clone/samples" samples
awk '/^```python$/ { inside = 1; next } /^```$/ { if (inside) exit } inside' "$work/clone/README.md" > example.py
"$work/venv/bin/python" - <<'CHECK'
import quelmar, pathlib
assert not pathlib.Path(quelmar.__file__).is_relative_to(pathlib.Path("../clone").resolve()), quelmar.__file__
assert (pathlib.Path(quelmar.__file__).parent / "__init__.pyi").exists()
CHECK
"$work/venv/bin/python" example.py
