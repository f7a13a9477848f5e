#!/usr/bin/env bash
# Builds 澄览 in Release with the benchmark programs and prints its figures:
# start-up beside a plain Chromium, keystroke and button cost, keystroke to request,
# and memory. Figures only, no verdict on the exit code. Takes a few minutes.
#   bench/run.sh [--runs N]      N runs of each start-up figure (default 5, at least 5)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
if [ "${1:-}" = "--runs" ] && [ -n "${2:-}" ]; then
    runs=$(( $2 < 5 ? 5 : $2 ))
fi

scripts/install-deps.sh --bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCHENGLAN_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target chenglan chenglan_bench_events chenglan_bench_mapwait

out=$(mktemp -d -t chenglan-bench-XXXXXX)
trap 'rm -rf "$out"' EXIT

echo
echo "== keystrokes and button presses, offscreen (5 runs of each batch after a warm-up)"
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$out" \
    timeout --foreground 300 build-bench/bench/chenglan_bench_events --reps 5 --json "$out/events.json" 2>/dev/null

echo
echo "== start-up, keystroke to request and memory under Xvfb, 澄览 beside Chromium"
# In the foreground so Ctrl-C reaches the driver; it and timeout's SIGTERM both stop all it started.
timeout --foreground 900 python3 bench/browser_bench.py --chenglan build-bench/chenglan \
    --mapwait build-bench/bench/chenglan_bench_mapwait --runs "$runs" \
    --events-json "$out/events.json" --json "build-bench/bench-figures.json"
