#!/usr/bin/env bash
# Builds the benchmarks (preset bench) and runs them, the ODBC ones against a private PostgreSQL
# server started for the run and stopped after it; its cluster stays in build/bench/pg, so that
# the tables a benchmark makes once are there for the next run. Prints each program's table and, for the
# fills, the ratio of the fill's fastest repetition to its baseline's.
#
#   scripts/bench.sh [program...]   default: every program in bench/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j2

server=$PWD/build/bench/pg
trap 'scripts/pg-server halt "$server"' EXIT
CP_BENCH_POSTGRES=$(scripts/pg-server keep "$server")
export CP_BENCH_POSTGRES

programs=("$@")
if ((${#programs[@]} == 0)); then
  for source in bench/*.cpp; do programs+=("$(basename "$source" .cpp)"); done
fi
for program in "${programs[@]}"; do
  echo "=== $program"
  json=$(mktemp)
  "build/bench/bench/$program" --benchmark_out="$json" --benchmark_out_format=json
  # Fastest repetition of each benchmark and argument, then fill / baseline per argument.
  python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
best = {}
for r in runs:
    if r.get("run_type") == "aggregate" and r.get("aggregate_name") == "min":
        best[r["run_name"]] = r["real_time"]
pairs = [(n, t) for n, t in best.items()]
bases = {n.split("/", 1)[-1] if "/" in n else "": t for n, t in pairs if "Bare" in n}
for name, t in pairs:
    if "Bare" in name:
        continue
    arg = name.split("/", 1)[-1] if "/" in name else ""
    if arg in bases:
        print(f"ratio {name}: {t / bases[arg]:.2f} (fastest {t:.0f} ms against {bases[arg]:.0f} ms)")
PY
  rm -f "$json"
done
