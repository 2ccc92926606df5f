#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Runs the fuzz targets built by the `fuzz` preset (make fuzz): each for FUZZ_SECONDS seconds
# (180 unless told), FUZZ_PARALLEL of them at a time (2), starting from the committed corpus,
# then says what each found. New inputs go to build/fuzz/runs/TARGET/found, faults to
# build/fuzz/runs/TARGET/faults; the exit code is 1 when there is a fault.
#
#   fuzz/run.sh [TARGET...]           fuzz (all targets unless named)
#   fuzz/run.sh --merge [TARGET...]   add to fuzz/corpus/TARGET the found inputs that reach
#                                     code the corpus does not (libFuzzer's -merge=1)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-180}
parallel=${FUZZ_PARALLEL:-2}
bin=build/fuzz/fuzz
runs=build/fuzz/runs
merge=0
if [ "${1:-}" = "--merge" ]; then
  merge=1
  shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(dib wave ico stylus_script command_line resource_script)
for t in "${targets[@]}"; do
  if [ ! -x "$bin/fuzz_$t" ]; then
    echo "fuzz: no target $t in $bin (build it with: make fuzz)" >&2
    exit 2
  fi
done

if [ $merge -eq 1 ]; then
  for t in "${targets[@]}"; do
    before=$(ls fuzz/corpus/"$t" | wc -l)
    # By edges alone, not how often each runs: a few dozen small files, from which fuzzing
    # finds the rest again in seconds.
    "$bin/fuzz_$t" -merge=1 -use_counters=0 "fuzz/corpus/$t" "$runs/$t/found" \
      >"$runs/$t/merge.log" 2>&1
    echo "$t: $(( $(ls fuzz/corpus/"$t" | wc -l) - before )) inputs added to fuzz/corpus/$t"
  done
  exit 0
fi

# Never leave a fuzzer running: on an interrupt, stop the ones this script started.
pids=()
stop() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap stop EXIT
trap 'exit 130' INT TERM

echo "Fuzzing ${targets[*]} for $seconds s each, $parallel at a time"
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  dir=$runs/$t
  rm -rf "$dir/faults"
  mkdir -p "$dir/found" "$dir/faults"
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
  # The first folder receives what is new; the committed corpus is only read.
  "$bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$dir/faults/" "${dict[@]}" \
    "$dir/found" "fuzz/corpus/$t" >"$dir/log" 2>&1 &
  pids+=($!)
done
wait
trap - EXIT

faults=0
for t in "${targets[@]}"; do
  dir=$runs/$t
  runs_done=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -n1)
  last=$(grep -E '^#[0-9]+' "$dir/log" | tail -n1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  found=$(ls "$dir/found" | wc -l)
  echo "$t: ${runs_done:-?} executions, cov ${cov:-?}, ft ${ft:-?}, $found inputs in $dir/found"
  for f in "$dir"/faults/*; do
    [ -e "$f" ] || continue
    faults=1
    echo "  FAULT $f (details in $dir/log)"
  done
done
[ $faults -eq 0 ] && echo "No faults." || exit 1
