#!/usr/bin/env bash
# Runs the libFuzzer targets of build-fuzz, one after the other on one core.
#   scripts/fuzz.sh SECONDS [TARGET...]   fuzz each target for SECONDS
#   scripts/fuzz.sh smoke                 a short fixed number of runs from the corpus
# New corpus entries go to build-fuzz/corpus-TARGET; a finding stops its
# target and is written to build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:?seconds or smoke}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(load run)
mkdir -p build-fuzz/artifacts
for t in "${targets[@]}"; do
  exe=build-fuzz/fuzz_$t
  # The golden programs and examples seed both targets as they grow.
  seeds=(fuzz/corpus/"$t" fuzz/regressions tests/programs examples)
  opts=(-dict=fuzz/atbasic.dict -timeout=10 -rss_limit_mb=2048 -max_len=4096
        -artifact_prefix=build-fuzz/artifacts/$t- -print_final_stats=1)
  if [ "$mode" = smoke ]; then
    scratch=$(mktemp -d)
    if ! "$exe" "${opts[@]}" -seed=1 -runs=3000 "$scratch" "${seeds[@]}" \
        >"$scratch.log" 2>&1; then
      tail -n 40 "$scratch.log"
      rm -rf "$scratch" "$scratch.log"
      exit 1
    fi
    echo "fuzz_$t smoke: $(grep -m1 -o 'number_of_executed_units: [0-9]*' "$scratch.log")"
    rm -rf "$scratch" "$scratch.log"
  else
    mkdir -p build-fuzz/corpus-"$t"
    echo "fuzz_$t: ${mode}s from $(date -u +%H:%M:%S)"
    "$exe" "${opts[@]}" -max_total_time="$mode" build-fuzz/corpus-"$t" "${seeds[@]}"
    echo "fuzz_$t: done at $(date -u +%H:%M:%S)"
  fi
done
