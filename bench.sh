#!/usr/bin/env bash
# ./bench.sh [name...]  builds Release and runs bench-<name> (all when none given).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in bench/*/; do [ -f "$d/CMakeLists.txt" ] && names+=("$(basename "$d")"); done
fi
[ ${#names[@]} -gt 0 ] || { echo "no benchmarks yet"; exit 0; }
targets=(); for n in "${names[@]}"; do targets+=("bench-$n"); done
cmake --build build-release -j "$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
for n in "${names[@]}"; do
  echo "== bench-$n"
  exe=$(find build-release/bench -type f -name "bench-$n" -perm -u+x | head -n 1)
  "$exe"
done
