#!/usr/bin/env bash
# Builds the release exe from copies of the checkout in two folders of
# different names and depths, and checks that both copies and REFERENCE_EXE
# (the exe of the release tree, where the tests are built beside it) are the
# same bytes: nothing of the folder, the time or the other targets gets in.
# usage: check-reproducible.sh CHECKOUT REFERENCE_EXE
set -euo pipefail
checkout=$1
reference=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

copy_checkout() { # destination
  mkdir -p "$1"
  if [ "$(git -C "$checkout" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$checkout" && pwd -P)" ]; then
    # The working tree as it is (tracked and new files), never build output.
    git -C "$checkout" ls-files -z --cached --others --exclude-standard |
      (cd "$checkout" && xargs -0 cp --parents -t "$1")
  else
    tar -C "$checkout" --exclude=./build -cf - . | tar -C "$1" -xf -
  fi
}

build_release() { # checkout copy -> path of its exe
  cmake -S "$1" --preset i686 -DMIRVASHEL_TESTS=OFF -DMIRVASHEL_BENCH=OFF >"$1.log" 2>&1 &&
    cmake --build "$1/build/i686" --target Mirvashel -j 2 >>"$1.log" 2>&1 ||
    { cat "$1.log" >&2; exit 1; }
  echo "$1/build/i686/app/Mirvashel.exe"
}

first=$work/a
second=$work/another-checkout/of-the-same-commit
copy_checkout "$first"
copy_checkout "$second"
(cd "$first" && build_release "$first") >"$work/first.path"
(cd "$second" && build_release "$second") >"$work/second.path"

status=0
for exe in "$(cat "$work/first.path")" "$(cat "$work/second.path")"; do
  if cmp -s "$exe" "$reference"; then
    echo "same bytes: ${exe#"$work"/}"
  else
    echo "DIFFERENT: ${exe#"$work"/} from $reference" >&2
    cmp "$exe" "$reference" | head -1 >&2 || true
    status=1
  fi
done
sha256sum "$reference" | cut -d' ' -f1
exit $status
