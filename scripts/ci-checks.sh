#!/usr/bin/env bash
# The checks beside the test suite (scripts/test.sh) that take builds of their own, each a few minutes:
# - every source file formatted as .clang-format says;
# - a clang build of the programs and of every fuzz target, each target run from seeds of our own (the examples,
#   the styles, the iReal Pro test page, charts exported as MusicXML) a fixed number of times from a fixed seed,
#   so that the same code is fuzzed the same way on every machine and a fault found is found again
#   (KAZ_FUZZ_SEED=N tries other inputs, KAZ_FUZZ_SCALE=K K times as many);
# - the playback engine's and the hand-over queue's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
fuzzSeed=${KAZ_FUZZ_SEED:-1}
fuzzScale=${KAZ_FUZZ_SCALE:-1}

echo "== formatting"
scripts/check-format.sh

echo "== clang build with the fuzz targets"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAZ_SANITIZE=ON \
    -DKAZ_BUILD_FUZZ=ON -DKAZ_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz -j2

seeds=build/fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{chart,style,ireal,musicxml,mxl,chordpro}
cp fuzz/corpus/*.kaz "$seeds/chart/"
cp -n examples/*.kaz "$seeds/chart/"
cp styles/*.style "$seeds/style/"
cp tests/data/ireal-conventions/conventions.html "$seeds/ireal/"
for chart in examples/*.kaz; do
    name=$(basename "$chart" .kaz)
    build/fuzz/src/kaz-cli export-musicxml "$chart" "$seeds/musicxml/$name.musicxml" >/dev/null
done
python3 - "$seeds" <<'PYTHON'
import pathlib, sys, zipfile
seeds = pathlib.Path(sys.argv[1])
container = ('<?xml version="1.0" encoding="UTF-8"?><container><rootfiles>'
             '<rootfile full-path="score.musicxml"/></rootfiles></container>')
for score in sorted((seeds / "musicxml").glob("*.musicxml"))[:3]:
    with zipfile.ZipFile(seeds / "mxl" / (score.stem + ".mxl"), "w", zipfile.ZIP_DEFLATED) as mxl:
        # A fixed date keeps the seed's bytes, and so the fuzzing, the same from run to run.
        for name, data in (("META-INF/container.xml", container), ("score.musicxml", score.read_bytes())):
            mxl.writestr(zipfile.ZipInfo(name, (2026, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)
(seeds / "chordpro" / "song.cho").write_text(
    "{title: Harbour Road}\n{artist: Kaz}\n{key: G}\n{tempo: 96}\n{capo: 2}\n"
    "{start_of_verse: Verse 1}\n[G]Down by the [D/F#]harbour [Em]road\n{end_of_verse}\n"
    "{start_of_chorus}\n[C]Sing it [G]out\n{end_of_chorus}\n{chorus}\n")
PYTHON

fuzz() {
    local target=$1 runs=$2 seedFolder=$3
    shift 3
    local corpus=build/fuzz/corpus/$target
    rm -rf "$corpus"
    mkdir -p "$corpus"
    echo "-- $target, $((runs * fuzzScale)) runs"
    build/fuzz/fuzz/"$target" "$corpus" "$seedFolder" -seed="$fuzzSeed" -runs=$((runs * fuzzScale)) -timeout=20 \
        -rss_limit_mb=2560 -print_final_stats=1 "$@" >"build/fuzz/$target.log" 2>&1 ||
        { tail -n 60 "build/fuzz/$target.log"; echo "$target found a fault" >&2; return 1; }
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "build/fuzz/$target.log"
}
# Two targets at a time, one a core; a few seconds to half a minute each on an idle machine.
fuzz compile-fuzzer 80000 "$seeds/chart" -dict=fuzz/chart.dict -max_len=4096 & first=$!
fuzz roundtrip-fuzzer 70000 "$seeds/chart" -max_len=4096
wait $first
fuzz style-file-fuzzer 400000 "$seeds/style" & first=$!
fuzz ireallinks-fuzzer 1200 "$seeds/ireal"
wait $first
fuzz musicxml-fuzzer 70000 "$seeds/musicxml" & first=$!
fuzz compressedmusicxml-fuzzer 250000 "$seeds/mxl"
wait $first
fuzz chordpro-fuzzer 200000 "$seeds/chordpro"
echo "every fuzz target ran without a fault"

echo "== ThreadSanitizer: playback and hand-over"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAZ_SANITIZE_THREAD=ON >/dev/null
cmake --build build/tsan -j2 --target kaz-tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build/tsan/tests/kaz-tests \
    --gtest_filter='PlaybackEngineTest.*:CompiledChartPlayback.*:PlaybackOfACompiledChart.*:HandOverQueue.*:LatestValue.*:SoundingNotes.*'
echo "all checks passed"
