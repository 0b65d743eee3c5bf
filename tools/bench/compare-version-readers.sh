#!/usr/bin/env bash
# Times reading FileVersion over one corpus with this project's reader, with
# exiftool (batch mode: one process for all files) and with Python's pefile,
# each the median of five warm runs, in microseconds per file.
# Needs: the bench preset built, exiftool (libimage-exiftool-perl) and pefile
# (python3-pefile). Not run in CI.
# Usage: tools/bench/compare-version-readers.sh [corpus-folder]
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/compare-version-readers.sh [corpus-folder]"
          echo "Times reading FileVersion over the corpus with this project's reader, exiftool and pefile."
          exit 0 ;;
  -*) echo "compare-version-readers.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/../.."
corpus="${1:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}"
bench=build/bench/tools/bench/keldwick-version-bench
python=/usr/bin/python3

files=()
for f in "$corpus"/*; do [[ -f "$f" ]] && files+=("$f"); done
count=${#files[@]}
echo "corpus: $corpus ($count files)"
cat "${files[@]}" > /dev/null  # warm the page cache

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

"$bench" --corpus="$corpus" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_filter='Corpus|Reader|Services' --benchmark_format=console 2>/dev/null | grep -E 'median|Benchmark' || true

for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  exiftool -fast -q -q -s3 -FileVersion "${files[@]}" > /dev/null || true
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 / count ))
done | median | sed 's/^/exiftool -FileVersion (batch), median µs per file: /'

"$python" - "${files[@]}" <<'PY'
import statistics, sys, time
import pefile

files = sys.argv[1:]
resource = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]

def file_version(path):
    try:
        pe = pefile.PE(path, fast_load=True)
        pe.parse_data_directories(directories=[resource])
        for info in getattr(pe, "FileInfo", []) or []:
            for entry in info:
                for table in getattr(entry, "StringTable", []):
                    if table.LangID.upper() == b"040904E4":
                        return table.entries.get(b"FileVersion")
    except pefile.PEFormatError:
        return None
    return None

runs = []
for _ in range(5):
    start = time.perf_counter()
    for path in files:
        file_version(path)
    runs.append((time.perf_counter() - start) / len(files) * 1e6)
print(f"pefile (fast_load + resources), median µs per file: {statistics.median(runs):.1f}")
PY
