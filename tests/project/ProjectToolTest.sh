#!/usr/bin/env bash
# Runs the built ventaro-tool's project and csound forms and checks bytes, texts and exit codes.
# Usage: ProjectToolTest.sh TOOL
set -u
tool=$1
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# run EXIT ARGS...: runs the tool, checks its exit code.
run() {
    local want=$1
    shift
    timeout 20 "$tool" "$@" >out 2>err
    local status=$?
    [[ $status -eq $want ]] || fail "ventaro-tool $* -> exit $status, wanted $want"
}

# bytes FILE OFFSET COUNT: the bytes as hex pairs.
bytes() { od -An -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n'; }

expect_stderr() {
    printf '%b\n' "$1" >want
    cmp -s want err || fail "stderr: $(cat err), wanted $1"
}

warning='Warning!\r\nYou can have no more than 128 7-bits sliders\r\nand no more than 64 14-bits sliders simultaneously.'

run 0 project new --bits 7 --sliders 16 -o Default.vtp
[[ $(stat -c %s Default.vtp) -eq 10340 ]] || fail "the default project is not 10340 bytes"
[[ $(bytes Default.vtp 0 25) == 3c56656e7461726f2050726f6a6563742046696c653e0d0a00 ]] ||
    fail "magic"
[[ $(bytes Default.vtp 100 12) == $(printf 'Default.vtp' | od -An -tx1 | tr -d ' \n')00 ]] ||
    fail "project name"
[[ $(bytes Default.vtp 600 8) == 1000000000000000 ]] || fail "counts"
[[ $(bytes Default.vtp 616 6) == 903c40803c40 ]] || fail "messages"
[[ $(bytes Default.vtp 1424 4) == 0f000000 ]] || fail "audio format"
[[ $(bytes Default.vtp 1580 4) == 01000000 ]] || fail "the project manager opens with it"
[[ $(bytes Default.vtp $((1636 + 15 * 544)) 8) == 536c696465723136 ]] || fail "Slider16"
[[ $(bytes Default.vtp $((1636 + 15 * 544 + 524)) 4) == 0f000000 ]] || fail "controller 15"

run 0 project info Default.vtp
grep -q '^  "projectName": "Default.vtp",$' out || fail "info: name"
grep -q '^  "magic": "<Ventaro Project File>\\r\\n",$' out || fail "info: magic"
grep -q '"name": "Slider16", "type": 1, "value": 0, "scaledValue": 0, "minValue": 0, "maxValue": 1, "channel": 0, "controller1": 15, "controller2": 0' out ||
    fail "info: Slider16"
grep -q '^  "snapshots": \[$' out || fail "info: snapshots"

run 0 project new --bits 14 --sliders 64 -o Wide.vtp
run 0 project info Wide.vtp
grep -q '"name": "Slider64", "type": 0, .*"controller1": 63, "controller2": 127' out ||
    fail "info: 14-bit pair"

for args in "14 65" "7 129" "7 0" "7 abc"; do
    set -- $args
    run 1 project new --bits "$1" --sliders "$2" -o Refused.vtp
    expect_stderr "$warning"
    [[ ! -e Refused.vtp ]] || fail "a refused count wrote a file"
done
run 2 project new --bits 9 --sliders 4 -o Refused.vtp
run 2 project new --bits 7 --sliders 4
run 2 project info

run 1 project info Missing.vtp
expect_stderr 'Error while opening the selected file!'
head -c 5000 Default.vtp >Short.vtp
run 1 project info Short.vtp
expect_stderr 'Error while reading the selected file!'
head -c 10340 /dev/zero | tr '\0' 'a' >Text.vtp
run 1 project info Text.vtp
expect_stderr 'Error: invalid project file!'
run 1 csound orchestra Text.vtp
# Special files are refused at once, never waited on.
mkfifo Pipe.vtp
run 1 project info Pipe.vtp
expect_stderr 'Error while opening the selected file!'
run 1 project info /dev/zero
expect_stderr 'Error while opening the selected file!'
# Beyond the file size limit a save fails like a full disk: reported, nothing half written.
(ulimit -f 8 && timeout 20 "$tool" project new --bits 7 --sliders 128 -o Big.vtp >out 2>err)
status=$?
[[ $status -eq 1 ]] || fail "a save beyond the size limit -> exit $status, wanted 1"
expect_stderr 'Error while writing on the selected file!'
[[ -z $(ls -A | grep -i big) ]] || fail "a save beyond the size limit left $(ls -A | grep -i big)"

run 0 csound header Default.vtp
printf 'sr\t\t=\t44100\r\nkr\t\t=\t4410\r\nksmps\t\t=\t10\r\nnchnls\t=\t2\r\n\r\n' >want
cmp -s want out || fail "csound header"
run 0 csound orchestra Default.vtp
grep -c $'\tctrl7\t' out | grep -qx 16 || fail "csound orchestra: one line per slider"
run 0 csound ftable 1
printf '; Sine function\r\nf1\t0\t4096\t10\t1\r\n\r\n' >want
cmp -s want out || fail "csound ftable 1"
run 0 csound pfields Wide.vtp
run 2 csound ftable 14
run 2 csound chorus Default.vtp

[[ $failures -eq 0 ]]
