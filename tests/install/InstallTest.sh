#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop will read there: the
# launcher entry, the file types, the icons, the manual page, the help with its links, and that
# the installed program starts from its link in bin/.
# Usage: InstallTest.sh BUILD_DIR ICON_SIZES...
set -u
build=$1
shift
sizes=("$@")
failures=0
work=$(mktemp -d)
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi
share=$prefix/share
lib=$prefix/lib/ventaro

# The programs: links in bin/ to the folder that holds everything they load.
for program in ventaro ventaro-tool; do
    [[ -L $prefix/bin/$program && -x $prefix/bin/$program ]] || fail "bin/$program is no link to a program"
done
for file in libventaro-audio.so VTEng32.dll help/index.html; do
    [[ -f $lib/$file ]] || fail "lib/ventaro/$file missing"
done
"$prefix/bin/ventaro-tool" --help >"$work/usage" 2>"$work/usage.err" || fail "installed ventaro-tool --help"
grep -q '^usage: ventaro-tool' "$work/usage" || fail "ventaro-tool --help printed no usage on stdout"

# The launcher entry, and every file type it claims is defined by us or known to the system.
desktop=$share/applications/ventaro.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop (desktop-file-utils)"
grep -q '^Exec=ventaro %f$' "$desktop" || fail "the launcher does not pass the file to the program"
mime=$share/mime/packages/ventaro.xml
if command -v xmllint >/dev/null; then
    xmllint --noout "$mime" "$share/icons/hicolor/scalable/apps/ventaro.svg" || fail "xmllint"
fi
grep -q '<glob pattern="\*\.vtp"/>' "$mime" && grep -q '<glob pattern="\*\.VTP"/>' "$mime" ||
    fail "the project type lacks its globs"
mimetypes=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
for type in $mimetypes; do
    grep -q "<mime-type type=\"$type\">" "$mime" || [[ -f /usr/share/mime/$type.xml ]] ||
        fail "the launcher claims $type, which nothing defines"
done

# The icon in every size of the theme, each a PNG of that size, and the scalable one.
for size in "${sizes[@]}"; do
    png=$share/icons/hicolor/${size}x${size}/apps/ventaro.png
    if [[ ! -f $png ]]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    # Width and height are the big-endian words at bytes 16 and 20 of the IHDR chunk.
    width=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$png" | tr -d ' \n')))
    [[ $signature == 89504e470d0a1a0a && $width == "$size" && $height == "$size" ]] ||
        fail "$png is not a ${size}x${size} PNG (${width}x${height})"
done
[[ -f $share/icons/hicolor/scalable/apps/ventaro.svg ]] || fail "no scalable icon"

# The manual page renders without a warning and describes every command the tool takes.
man1=$share/man/man1/ventaro-tool.1
MANWIDTH=80 man --warnings=w -l "$man1" >"$work/man.txt" 2>"$work/man.err"
[[ -s $work/man.txt && ! -s $work/man.err ]] || fail "man -l $man1: $(cat "$work/man.err")"
sed -E 's/^(usage:)? *ventaro-tool //' "$work/usage" | while read -r command rest; do
    sub=${rest%% *}
    [[ $sub =~ ^[a-z|]+$ ]] && command="$command $sub"
    grep -qF -- "$command" "$work/man.txt" || echo "$command"
done >"$work/undocumented"
[[ ! -s $work/undocumented ]] || fail "the manual page lacks: $(tr '\n' ',' <"$work/undocumented")"

# The help: every page it links exists, and every page is reachable from the index.
help=$lib/help
shopt -s nullglob
for page in "$help"/*.html; do
    for link in $(grep -o 'href="[^"#]*' "$page" | sed 's/^href="//' | grep -v '^[a-z]*:'); do
        [[ -f $help/$link ]] || fail "$(basename "$page") links to $link, which is not there"
    done
    name=$(basename "$page")
    [[ $name == index.html ]] || grep -q "href=\"$name\"" "$help/index.html" ||
        fail "$name is not in the index"
done

# The installed program starts from its link: its first paint within 20 s, on a scratch home so
# that no user setting is read or written.
mkdir -p "$work/home"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    QT_QPA_PLATFORM=offscreen VENTARO_SPLASH_MS=0 VENTARO_REPORT_FIRST_PAINT=1 \
    "$prefix/bin/ventaro" >"$work/program.out" 2>"$work/program.err" &
program_pid=$!
for _ in $(seq 200); do
    grep -q first-paint "$work/program.out" && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if grep -q first-paint "$work/program.out"; then
    sleep 0.3
    kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended after its first paint"
else
    fail "the installed program did not start: $(cat "$work/program.err")"
fi
kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
program_pid=

[[ $failures -eq 0 ]] && echo "install checks passed" || echo "$failures failures"
[[ $failures -eq 0 ]]
