#!/usr/bin/env bash
# Runs the built ventaro-tool and compares its exact standard output, errors and exit code.
# Usage: ToolTest.sh TOOL noise|slider|midi|usage|project|engine|sysex|morph
set -u
tool=$1
group=$2
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: ventaro-tool $*"
    failures=$((failures + 1))
}

# expect EXIT STDOUT ARGS...: STDOUT is given with backslash escapes; "*" takes any output.
expect() {
    local want=$1 text=$2
    shift 2
    timeout 20 "$tool" "$@" >out 2>err
    status=$?
    printf '%b' "$text" >want
    if [[ $status -ne $want ]] || { [[ $text != '*' ]] && ! cmp -s want out; }; then
        fail "$* -> exit $status, wanted $want"
        diff want out
        cat err
    fi
}

# Bad arguments: exit 2, nothing on stdout, the usage line on stderr.
expect_usage() {
    expect 2 "" "$@"
    grep -q '^usage: ventaro-tool' err || fail "$* printed no usage line"
}

# usages ARGS...: each argument is one command line, split on blanks, that must be refused.
usages() {
    local words
    for line in "$@"; do
        read -ra words <<<"$line"
        expect_usage "${words[@]}"
    done
}

# refused STDERR ARGS...: exit 1, nothing on stdout and exactly STDERR (escapes as in expect).
refused() {
    local text=$1
    shift
    expect 1 "" "$@"
    printf '%b\n' "$text" >want
    cmp -s want err || fail "$* -> stderr: $(cat err), wanted $text"
}

slider14=(slider --bits 14 --channel 1 --cc 1,33)
slider7=(slider --bits 7 --channel 1 --cc 7)
s7="${slider7[*]}" s14="${slider14[*]}" linear="--curve linear --positions 1"

case $group in
noise)
    expect 0 "0.866802096 1013904223\n0.626257181 1196435762\n" noise 5 0 2
    expect 0 "" noise 4 1 0
    expect 0 "0.142944589 1013904223\n" noise 5 0 1 --deviate exp
    expect 0 "0.32793346 1196435762\n0.952711582 1196435762\n" noise 5 0 2 --deviate gauss
    # Source 0 stuck at 0.0 and the Gaussian of an unknown source would never end.
    for seed in 123459876 2024023771 -2024023771; do
        expect 2 "" noise 0 "$seed" 1 --deviate exp
        expect 2 "" noise 0 "$seed" 1 --deviate gauss
    done
    expect 2 "" noise 6 1 1 --deviate gauss
    usages "noise 4 -5" "noise 4 x 1" "noise 4 1 -1" "noise 4 2147483648 1" \
        "noise 4 1 1 --deviate uniform" "noise 4 1 1 --deviate"
    ;;
slider)
    expect 0 "B0 01 00\nB0 21 00\nB0 01 01\nB0 21 48\nB0 21 49\n" \
        "${slider14[@]}" --curve linear --positions 0,200,201
    expect 0 "BF 07 7F\n" slider --bits 7 --channel 16 --cc 7 --curve linear --positions 127
    expect 0 "B0 07 7E\n" "${slider7[@]}" --curve quadratic --positions 127
    expect 0 "B0 07 3F\nB0 07 00\n" "${slider7[@]}" --curve log --positions 1,0
    expect 0 "B0 01 10\nB0 21 00\n" "${slider14[@]}" --curve cubic --positions 8192
    expect 0 "B0 01 7F\nB0 21 7F\n" "${slider14[@]}" --curve random --seed -1 --positions 7531
    expect 0 "B0 07 00\n" "${slider7[@]}" --curve linear --min -5 --max 5 --positions 0
    usages "$s14 --curve linear" "slider --bits 7 --channel 0 --cc 7 $linear" \
        "slider --bits 7 --channel 17 --cc 7 $linear" "slider --bits 8 --channel 1 --cc 7 $linear" \
        "$s7 --curve linear --positions 128" "$s14 --curve linear --positions 16384" \
        "$s14 --curve linear --positions -1" "$s7 --curve linear --positions 1,,2" \
        "slider --bits 14 --channel 1 --cc 1 $linear" "slider --bits 7 --channel 1 --cc 1,2 $linear" \
        "slider --bits 7 --channel 1 --cc 128 $linear" "$s7 --curve sine --positions 1" \
        "$s7 --curve linear --min 0 --positions 1" "$s7 --curve linear --min 5 --max 1 --positions 1" \
        "$s7 $linear --volume 3" "$s7 $linear --curve log" "$s7 --curve linear --positions"
    ;;
midi)
    expect 0 '*' midi list
    lastOut=$(grep '^out ' out | tail -n 1)
    [[ $lastOut =~ ^out\ ([0-9]+):\ Loopback$ ]] || fail "midi list: last output is '$lastOut'"
    loopback=${BASH_REMATCH[1]:-0}
    [[ $(tail -n 1 out) =~ ^in\ [0-9]+:\ Loopback$ ]] || fail "midi list: last input"
    [[ $(grep -c '^out ' out) -eq $((loopback + 1)) ]] || fail "midi list: numbering"
    expect 0 "" midi send --out "$loopback" 90 3C 40
    expect 0 "" midi panic --out "$loopback"
    expect 1 "" midi send --out 9999 90 3C 40
    [[ $(head -c 18 err) == "MIDI OUTPUT ERROR:" ]] || fail "midi send --out 9999: stderr"
    expect 1 "" midi panic --out 9999
    # An output is also found by its name, and bytes may carry 0x.
    expect 0 "" midi send --out Loopback 0x90 0x3C 0x40
    expect 1 "" midi send --out "No Such Synth" 90 3C 40
    grep -q 'The device "No Such Synth" is not connected.' err || fail "midi send by name: stderr"
    expect 1 "" midi monitor --in 9999
    [[ $(head -c 17 err) == "MIDI INPUT ERROR:" ]] || fail "midi monitor --in 9999: stderr"
    usages "midi monitor" "midi monitor --in" "midi monitor --in 0 --count 0" \
        "midi monitor --in 0 --colour" "midi monitor --in 0 --in 1"
    usages "midi" "midi list extra" "midi send --out $loopback 90 3C" \
        "midi send --out $loopback 90 3C 1FF" "midi send --out $loopback 90 3C zz" \
        "midi send --in $loopback 90 3C 40" "midi panic"
    expect_usage midi send --out "" 90 3C 40
    ;;
usage)
    expect_usage
    usages frobnicate "Noise 4 1 1" audio "audio record a.wav" "audio record a.wav --seconds 0" \
        "audio record a.wav --seconds 1 --format 16" "audio record a.wav --seconds 1 --rate 8" \
        "audio play" "audio play a.wav b.wav"
    # A file that cannot be played fails with the library's reason, before any audio device.
    expect 1 "" audio play missing.wav
    grep -q '^missing.wav: System error' err || fail "audio play: $(cat err)"
    ;;
project)
    # The file's bytes are the core writer's (its golden test); here: what info shows of them.
    expect 0 "" project new --bits 7 --sliders 16 -o Default.vtp
    expect 0 '*' project info Default.vtp
    grep -q '^  "projectName": "Default.vtp",$' out || fail "info: name"
    grep -q '"visible": 1},$' out || fail "info: the manager opens with the project"
    grep -q '"name": "Slider16", "type": 1, "value": 0, "scaledValue": 0, "minValue": 0, "maxValue": 1, "channel": 0, "controller1": 15, "controller2": 0' out ||
        fail "info: Slider16"
    expect 0 "" project new --bits 14 --sliders 64 -o Wide.vtp
    tooMany='Warning!\r\nYou can have no more than 128 7-bits sliders\r\nand no more than 64 14-bits sliders simultaneously.'
    for args in "14 65" "7 129" "7 0" "7 abc"; do
        read -r bits count <<<"$args"
        refused "$tooMany" project new --bits "$bits" --sliders "$count" -o Refused.vtp
        [[ ! -e Refused.vtp ]] || fail "a refused count wrote a file"
    done
    # Find slider over a file: the rows of the program's dialog.
    expect 0 "Slider64 (14 bits) - Ch 1 - CC 63/127 - Min: 0 - Max: 1 - Current: 0\n" \
        find Wide.vtp --by cc2 127
    usages "project new --bits 9 --sliders 4 -o Refused.vtp" "project new --bits 7 --sliders 4" \
        "project info" "find Wide.vtp --by colour 1" "find Wide.vtp cc2 1"
    # Missing and damaged files are refused with their reason.
    head -c 10340 /dev/zero | tr '\0' 'a' >Text.vtp
    refused "Error while opening the selected file!" project info Missing.vtp
    refused "Error: invalid project file!" project info Text.vtp
    expect 1 "" csound orchestra Text.vtp
    # Beyond the file size limit a save fails like a full disk: reported, nothing half written.
    (ulimit -f 8 && failures=0 && refused 'Error while writing on the selected file!' \
        project new --bits 7 --sliders 128 -o Big.vtp && exit "$failures") || fail "a save past the limit"
    [[ -z $(ls -A | grep -i big) ]] || fail "a save beyond the size limit left $(ls -A | grep -i big)"
    expect 0 "sr\t\t=\t44100\r\nkr\t\t=\t4410\r\nksmps\t\t=\t10\r\nnchnls\t=\t2\r\n\r\n" \
        csound header Default.vtp
    expect 0 '*' csound orchestra Default.vtp
    [[ $(grep -c $'\tctrl7\t' out) -eq 16 ]] || fail "csound orchestra: one line per slider"
    expect 0 "; Sine function\r\nf1\t0\t4096\t10\t1\r\n\r\n" csound ftable 1
    expect 0 '*' csound pfields Wide.vtp
    usages "csound ftable 14" "csound chorus Default.vtp"
    ;;
engine)
    # The stored settings of a first start: the embedded engine beside the tool, preset 0.
    export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
    engine="$work/data/Ventaro.2/drive_c/VentaroEmebeddedEngine.exe"
    preset="-odac -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0"
    expect 0 "$engine\n$preset test.orc test.sco\n" engine cmdline
    expect 0 "" project new --bits 7 --sliders 4 -o "My Set.vtp"
    expect 0 "$engine\n$preset test.orc test.sco\n" engine cmdline "My Set.vtp"
    refused "Error while opening the selected file!" engine cmdline Missing.vtp
    expect_usage engine run
    expect_usage engine run "My Set.vtp" --seconds 0
    ;;
sysex)
    # The parsing rules are checked in the scratchpad's core tests; here each command's wiring.
    invalid='Error: the system exclusive messages must start with the value 240\r\nand must end with the value 247! Only values between 0 and 255 are accepted.'
    expect 0 "240 67 16 247 \n" sysex parse $'240\t67\r\n16 247 5'
    refused "$invalid" sysex parse "240 300 247"
    # A bank: 240, then 1s, then 247; bank BYTES FILE.
    bank() { { printf '\xf0'; head -c $(($1 - 2)) /dev/zero | tr '\0' '\1'; printf '\xf7'; } >"$2"; }
    bank 4 small.syx
    expect 0 "240 1 1 247 \n" sysex format small.syx
    bank 40000 huge.syx
    refused "Error while opening the selected file!" sysex format missing.syx
    expect 0 "" sysex send --out Loopback --text "240 67 16 247"
    refused "$invalid" sysex send --out Loopback --text "240 67 16"
    printf '\xf0\x01' >open.syx
    refused "$invalid" sysex send --out Loopback open.syx
    refused "Sorry, file too big to be loaded!" sysex send --out Loopback huge.syx
    expect 1 "" sysex send --out "No Such Synth" small.syx
    grep -q 'The device "No Such Synth" is not connected.' err || fail "sysex send: stderr"
    usages "sysex" "sysex parse" "sysex format" "sysex send --out Loopback" \
        "sysex send --out Loopback --text" "sysex send Loopback small.syx" \
        "sysex send --out Loopback small.syx small.syx" "sysex dump small.syx"
    expect_usage sysex send --out "" small.syx
    ;;
morph)
    # Two 7-bit sliders (controllers 0 and 1) and four snapshots: (0, 100), (100, 50), (20, 0)
    # and (120, 1), written into the file after its header's snapshot count.
    expect 0 "" project new --bits 7 --sliders 2 -o Two.vtp
    expect 0 "" project new --bits 7 --sliders 2 -o None.vtp
    perl -e 'open(my $f, "+<", "Two.vtp") or die; binmode $f; seek($f, 604, 0);
        print $f pack("l<", 4); seek($f, 0, 2);
        print $f pack("a500 l<128", "S$_", @{(0, [0, 100], [100, 50], [20, 0], [120, 1])[$_]})
            for 1 .. 4;' || fail "morph: writing the snapshots"
    # The truncated blends: top 50 and 75, bottom 70 and 0.
    expect 0 "B0 00 3C\nB0 01 25\n" morph Two.vtp --fy 0.5 --fx 0.5 --corners 1,2,3,4
    expect 0 "B0 00 6E\nB0 01 19\n" morph Two.vtp --corners 4,2,3,1 --fx 0.5 --fy 0
    usages "morph Two.vtp --corners 1,2,3,5 --fx 0 --fy 0" \
        "morph Two.vtp --corners 0,1,2,3 --fx 0 --fy 0" "morph Two.vtp --corners 1,2,3 --fx 0 --fy 0" \
        "morph Two.vtp --corners 1,2,3,4 --fx 1.5 --fy 0" "morph Two.vtp --corners 1,2,3,4 --fx 0" \
        "morph Two.vtp --corners 1,2,3,4 --fx 0 --fx 0 --fy 0" "morph --corners 1,2,3,4 --fx 0 --fy 0"
    refused "ventaro-tool morph: the project has no snapshots" morph None.vtp --corners 1,1,1,1 --fx 0 --fy 0
    refused "Error while opening the selected file!" morph Missing.vtp --corners 1,1,1,1 --fx 0 --fy 0
    ;;
*)
    fail "unknown test group $group"
    ;;
esac

[[ $failures -eq 0 ]]
