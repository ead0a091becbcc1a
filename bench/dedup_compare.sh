#!/usr/bin/env bash
# dedup_compare.sh BENCH_BINARY [LINES]: makes a line file with 40% repeats
# in /tmp, times the keep-first perl one-liner on it as the baseline, runs
# dedup_bench on the same file and checks that both outputs agree.
set -euo pipefail
bench=$1
lines=${2:-1000000}
here=$(cd "$(dirname "$0")" && pwd)
input=/tmp/dedup-bench-$lines.txt
[ -f "$input" ] || python3 "$here/dedup_make_input.py" "$lines" 0.4 "$input"
echo "input: $input $(stat -c %s "$input") bytes"

TIMEFORMAT='perl_s=%R'
time perl -ne 'print unless $s{$_}++' "$input" > "$input.perl"

QT_QPA_PLATFORM=offscreen "$bench" "$input" "$input.dedup"
cmp "$input.perl" "$input.dedup" && echo "outputs agree"
rm -f "$input.perl" "$input.dedup"
