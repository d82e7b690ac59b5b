#!/usr/bin/env bash
# The checks continuous integration runs after the test suite (scripts/test.sh), each a few minutes:
# - every source file formatted as .clang-format says;
# - a clang build of the programs and of every fuzz target, each target run for a minute (KAZ_FUZZ_SECONDS)
#   from seeds of our own: the examples, the styles, the iReal Pro test page, charts exported as MusicXML;
# - the playback engine's and the hand-over queue's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${KAZ_FUZZ_SECONDS:-60}

echo "== formatting"
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
echo "every source file is formatted"

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
        mxl.writestr("META-INF/container.xml", container)
        mxl.write(score, "score.musicxml")
(seeds / "chordpro" / "song.cho").write_text(
    "{title: Harbour Road}\n{artist: Kaz}\n{key: G}\n{tempo: 96}\n{capo: 2}\n"
    "{start_of_verse: Verse 1}\n[G]Down by the [D/F#]harbour [Em]road\n{end_of_verse}\n"
    "{start_of_chorus}\n[C]Sing it [G]out\n{end_of_chorus}\n{chorus}\n")
PYTHON

fuzz() {
    local target=$1 seedFolder=$2
    shift 2
    local corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "-- $target for $seconds s"
    build/fuzz/fuzz/"$target" "$corpus" "$seedFolder" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=2560 -print_final_stats=1 "$@" >"build/fuzz/$target.log" 2>&1 ||
        { tail -n 60 "build/fuzz/$target.log"; echo "$target found a fault" >&2; return 1; }
    grep -E '^stat::number_of_executed_units' "build/fuzz/$target.log"
}
# Two targets at a time, one a core.
fuzz compile-fuzzer "$seeds/chart" -dict=fuzz/chart.dict -max_len=4096 & first=$!
fuzz roundtrip-fuzzer "$seeds/chart" -max_len=4096
wait $first
fuzz style-file-fuzzer "$seeds/style" & first=$!
fuzz ireallinks-fuzzer "$seeds/ireal"
wait $first
fuzz musicxml-fuzzer "$seeds/musicxml" & first=$!
fuzz compressedmusicxml-fuzzer "$seeds/mxl"
wait $first
fuzz chordpro-fuzzer "$seeds/chordpro"
echo "every fuzz target ran without a fault"

echo "== ThreadSanitizer: playback and hand-over"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAZ_SANITIZE_THREAD=ON >/dev/null
cmake --build build/tsan -j2 --target kaz-tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build/tsan/tests/kaz-tests \
    --gtest_filter='PlaybackEngineTest.*:CompiledChartPlayback.*:PlaybackOfACompiledChart.*:HandOverQueue.*:LatestValue.*:SoundingNotes.*'
echo "all checks passed"
