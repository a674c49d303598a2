#!/usr/bin/env bash
# Times Lintavo's start-up with ten full pages, from process start to the main window's first
# paint, beside a bare Qt window program built in the same tree, in the same run.
#
# Usage: bench/compare_startup.sh [BUILD_FOLDER]   (default: build-release; it must hold the
#        targets lintavo_first_paint and bare_window, built by bench/run.sh)
#
# Both programs are built with bench/QuitOnFirstPaint.cpp, which ends the event loop right after
# the first paint of a top-level window, so the whole process time is start-up to first paint
# plus an orderly exit. They run on a virtual X display (Xvfb) with Qt's xcb platform, in a
# temporary home whose settings file holds ten full pages (all 1470 keys set); Lintavo's program
# folder holds the installed data, so each start converts nothing new but writes all ten pages.
# hyperfine gives the medians; the bar is Lintavo <= 1.2x the bare window. When $LINTAVO_BARS names
# a file, the verdict is added to it as one line (bench/run.sh sums them up).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-release}
[[ $build = /* ]] || build=$repo/$build
lintavo=$build/bench/startup/lintavo_first_paint
bare=$build/bench/bare_window
for tool in hyperfine Xvfb python3 "$lintavo" "$bare"; do
  command -v "$tool" >/dev/null || { echo "compare_startup.sh: $tool not found" >&2; exit 1; }
done

home=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$home"' EXIT

mkdir -p "$home/.config/Quellmark/LTVO" "$home/Documents" "$home/run"
chmod 700 "$home/run"
python3 - "$home/.config/Quellmark/LTVO/config.ini" <<'PYTHON'
import sys
lines = []
for n in range(1, 11):
    lines += [f"[HOMEPAGE-{n}]", f"Name=Start page number {n}", "TextColor=#C0C0C0",
              "TitleColor=#00FF80"]
    for r in range(1, 7):
        for c in range(1, 9):
            cell = f"{r}-{c}"
            lines += [f"Caption-{cell}-1=Link {cell}", f"Caption-{cell}-2=second line",
                      f"Target-{cell}=https://www.example.org/some/path/{cell}?query=value"]
    lines.append("")
lines += ["[Settings]", "LastPage=3"]
open(sys.argv[1], "w", newline="").write("\r\n".join(lines) + "\r\n")
PYTHON
sleep 1  # let Xvfb come up

export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  XDG_RUNTIME_DIR=$home/run DISPLAY=$display QT_QPA_PLATFORM=xcb
hyperfine -N --warmup 5 --runs 40 --style basic --export-json "$home/times.json" \
  -n bare_window "$bare" -n lintavo "$lintavo"

python3 - "$home/times.json" "${LINTAVO_BARS:-}" <<'PYTHON'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
bare, ours = results["bare_window"]["median"], results["lintavo"]["median"]
ratio = ours / bare
verdict = "meets the bar" if ratio <= 1.2 else "MISSES the bar"
print()
print(f"start-up to first paint, median: bare window {bare * 1000:.1f} ms, "
      f"Lintavo {ours * 1000:.1f} ms, ratio {ratio:.2f}x (bar <= 1.20x: {verdict})")
if sys.argv[2]:
    with open(sys.argv[2], "a") as out:
        print(f"start-up to first paint {ours * 1000:.1f} ms beside the bare window "
              f"{bare * 1000:.1f} ms: {ratio:.2f}x, bar <= 1.20x: {verdict}", file=out)
PYTHON
