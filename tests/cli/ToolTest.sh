#!/usr/bin/env bash
# Runs the built ventaro-tool and compares its exact standard output and exit code.
# Usage: ToolTest.sh TOOL noise|slider|midi|usage
set -u
tool=$1
group=$2
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    timeout 20 "$tool" "$@" >"$work/out" 2>"$work/err"
    status=$?
}

fail() {
    echo "FAIL: ventaro-tool $*"
    failures=$((failures + 1))
}

# expect EXIT STDOUT ARGS...: STDOUT is given with backslash escapes.
expect() {
    local want=$1 text=$2
    shift 2
    run "$@"
    printf '%b' "$text" >"$work/want"
    if [[ $status -ne $want ]] || ! cmp -s "$work/want" "$work/out"; then
        fail "$* -> exit $status, wanted $want"
        diff "$work/want" "$work/out"
        cat "$work/err"
    fi
}

# Bad arguments: exit 2, nothing on stdout, the usage line on stderr.
expect_usage() {
    expect 2 "" "$@"
    grep -q '^usage: ventaro-tool' "$work/err" || fail "$* printed no usage line"
}

slider14=(slider --bits 14 --channel 1 --cc 1,33)
slider7=(slider --bits 7 --channel 1 --cc 7)

case $group in
noise)
    expect 0 "0.443701386 2\n0.439545393 3\n" noise 4 -5 2
    expect 0 "0.219120383 2\n" noise 4 -1 1 # the published pseudo-DES value for (1, 1)
    expect 0 "0.866802096 1013904223\n0.626257181 1196435762\n" noise 5 0 2
    expect 0 "1000 7\n1000 7\n" noise 6 7 2
    expect 0 "1000 7\n" noise -1 7 1
    expect 0 "0 123459876\n0 123459876\n" noise 0 123459876 2
    expect 0 "" noise 4 1 0
    expect 0 "0.142944589 1013904223\n" noise 5 0 1 --deviate exp
    # The second Gaussian of a pair comes from the cache: the seed word does not move.
    run noise 5 0 2 --deviate gauss
    [[ $status -eq 0 && $(cut -d' ' -f2 "$work/out" | tr '\n' ' ') == "1196435762 1196435762 " ]] ||
        fail "noise 5 0 2 --deviate gauss"
    # Source 0 stuck at 0.0 and the Gaussian of an unknown source would never end.
    for seed in 123459876 2024023771 -2024023771; do
        expect 2 "" noise 0 "$seed" 1 --deviate exp
        expect 2 "" noise 0 "$seed" 1 --deviate gauss
    done
    expect 2 "" noise 6 1 1 --deviate gauss
    expect_usage noise 4 -5
    expect_usage noise 4 x 1
    expect_usage noise 4 1 -1
    expect_usage noise 4 2147483648 1
    expect_usage noise 4 1 1 --deviate uniform
    expect_usage noise 4 1 1 --deviate
    ;;
slider)
    expect 0 "B0 01 00\nB0 21 00\nB0 01 01\nB0 21 48\nB0 21 49\n" \
        "${slider14[@]}" --curve linear --positions 0,200,201
    expect 0 "B1 07 64\n" slider --bits 7 --channel 2 --cc 7 --curve linear --positions 100
    expect 0 "BF 07 7F\n" slider --bits 7 --channel 16 --cc 7 --curve linear --positions 127
    # The first most significant message always goes out, controller 0 included.
    expect 0 "B0 00 01\nB0 20 02\n" slider --bits 14 --channel 1 --cc 0,32 --curve linear \
        --positions 130
    expect 0 "B0 07 7E\n" "${slider7[@]}" --curve quadratic --positions 127
    expect 0 "B0 07 3F\nB0 07 00\n" "${slider7[@]}" --curve log --positions 1,0
    expect 0 "B0 01 7F\nB0 21 7F\nB0 01 10\nB0 21 00\n" "${slider14[@]}" --curve cubic \
        --positions 16383,8192
    # Draw 7531 of source 4 from seed -1 is the largest of the table: it maps to the top.
    expect 0 "B0 01 7F\nB0 21 7F\n" "${slider14[@]}" --curve random --seed -1 --positions 7531
    expect 0 "B0 07 00\n" "${slider7[@]}" --curve linear --min -5 --max 5 --positions 0
    expect_usage "${slider14[@]}" --curve linear
    expect_usage slider --bits 7 --channel 0 --cc 7 --curve linear --positions 1
    expect_usage slider --bits 7 --channel 17 --cc 7 --curve linear --positions 1
    expect_usage slider --bits 8 --channel 1 --cc 7 --curve linear --positions 1
    expect_usage "${slider7[@]}" --curve linear --positions 128
    expect_usage "${slider14[@]}" --curve linear --positions 16384
    expect_usage "${slider14[@]}" --curve linear --positions -1
    expect_usage "${slider7[@]}" --curve linear --positions 1,,2
    expect_usage slider --bits 14 --channel 1 --cc 1 --curve linear --positions 1
    expect_usage slider --bits 7 --channel 1 --cc 1,2 --curve linear --positions 1
    expect_usage slider --bits 7 --channel 1 --cc 128 --curve linear --positions 1
    expect_usage "${slider7[@]}" --curve sine --positions 1
    expect_usage "${slider7[@]}" --curve linear --min 0 --positions 1
    expect_usage "${slider7[@]}" --curve linear --min 5 --max 1 --positions 1
    expect_usage "${slider7[@]}" --curve linear --positions 1 --volume 3
    expect_usage "${slider7[@]}" --curve linear --positions 1 --curve log
    expect_usage "${slider7[@]}" --curve linear --positions
    ;;
midi)
    run midi list
    [[ $status -eq 0 ]] || fail "midi list -> exit $status"
    lastOut=$(grep '^out ' "$work/out" | tail -n 1)
    lastIn=$(tail -n 1 "$work/out")
    [[ $lastOut =~ ^out\ ([0-9]+):\ Loopback$ ]] || fail "midi list: last output is '$lastOut'"
    loopback=${BASH_REMATCH[1]:-0}
    [[ $lastIn =~ ^in\ [0-9]+:\ Loopback$ ]] || fail "midi list: last input is '$lastIn'"
    [[ $(grep -c '^out ' "$work/out") -eq $((loopback + 1)) ]] || fail "midi list: numbering"
    expect 0 "" midi send --out "$loopback" 90 3C 40
    expect 0 "" midi panic --out "$loopback"
    expect 1 "" midi send --out 9999 90 3C 40
    [[ $(head -c 18 "$work/err") == "MIDI OUTPUT ERROR:" ]] || fail "midi send --out 9999: stderr"
    expect 1 "" midi panic --out 9999
    # An output is also found by its name, and bytes may carry 0x.
    expect 0 "" midi send --out Loopback 0x90 0x3C 0x40
    expect 0 "" midi panic --out Loopback
    expect 1 "" midi send --out "No Such Synth" 90 3C 40
    grep -q 'The device "No Such Synth" is not connected.' "$work/err" || fail "midi send by a missing name: stderr"
    expect_usage midi
    expect_usage midi list extra
    expect_usage midi send --out "$loopback" 90 3C
    expect_usage midi send --out "$loopback" 90 3C 1FF
    expect_usage midi send --out "$loopback" 90 3C zz
    expect_usage midi send --in "$loopback" 90 3C 40
    expect_usage midi send --out "" 90 3C 40
    expect_usage midi panic
    ;;
usage)
    expect_usage
    expect_usage frobnicate
    expect_usage Noise 4 1 1
    ;;
*)
    fail "unknown test group $group"
    ;;
esac

[[ $failures -eq 0 ]]
