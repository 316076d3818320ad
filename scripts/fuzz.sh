#!/usr/bin/env bash
# Builds the libFuzzer targets (with the "asan" preset: clang, ASan and UBSan, the whole tree)
# and runs each build-asan/fuzz/fuzz_* for SECONDS (default 30) on a fresh corpus seeded from
# fuzz/corpus/<name>/. Exits non-zero when any target finds a crash, hang, leak or runaway
# allocation; the reproducing input is kept in build-asan/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

cmake --preset asan >/dev/null
cmake --build --preset asan

# Recoverable UBSan reports in the libraries count as findings too.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export QT_QPA_PLATFORM=offscreen

findings="$PWD/build-asan/findings"
mkdir -p "$findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
targets=(build-asan/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in build-asan/fuzz" >&2
  exit 1
fi

failed=()
for target in "${targets[@]}"; do
  [ -x "$target" ] && [ -f "$target" ] || continue
  name="$(basename "$target")"
  name="${name#fuzz_}"
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "fuzz/corpus/$name" ]; then
    cp -r "fuzz/corpus/$name/." "$corpus/"
  fi
  echo "== fuzz_$name for ${seconds}s"
  if ! "$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$findings/${name}-" -print_final_stats=1 >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log" >&2
    failed+=("fuzz_$name")
  else
    grep -E '^(stat::number_of_executed_units|#[0-9]+.*DONE)' "$work/$name.log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
echo "fuzz.sh: no findings"
