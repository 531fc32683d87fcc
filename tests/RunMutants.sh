#!/usr/bin/env bash
# Plants each fault of tests/mutants.md in a scratch copy of HEAD and checks that its test fails.
#
# Usage: tests/RunMutants.sh [--check] [--at REV] [ID...]
#   ID...     only these mutants (default: every mutant of the list)
#   --check   only parse the list and look for each `find`; no build, no test
#   --at REV  plant into (or check) REV instead of HEAD, e.g. a branch about to be merged
#
# The sources are never edited in place: HEAD is checked out as a git worktree under
# $VENTARO_MUTANTS_DIR (default /tmp/ventaro-mutants), built there once, and each mutant
# is planted, built (only the target its run needs), run and taken out again. The build folders
# stay between runs, so that a second run rebuilds little. The list itself is read from the
# working copy, so that new entries can be tried before they are committed.
set -u
shopt -u patsub_replacement 2>/dev/null # "&" in a replacement is a plain character

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(git -C "$here" rev-parse --show-toplevel) || exit 2
list="$repo/tests/mutants.md"
scratch=${VENTARO_MUTANTS_DIR:-/tmp/ventaro-mutants}
tree="$scratch/tree"
jobs=2 # the machine's cores are shared: never more
defaultTimeout=300
baseOptions=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
             -DCMAKE_C_COMPILER_LAUNCHER=ccache -DVENTARO_BENCH=OFF)

die() {
    echo "RunMutants: $*" >&2
    exit 2
}

# ---- The list ---------------------------------------------------------------------------------

ids=()
declare -A title file find replace run build timeout seen
problems=()

# A value written `like this` (or ``like `this` `` for a text holding a backtick) is taken
# between its delimiters, so that leading and trailing blanks survive.
unquote() {
    local v=$1
    if [[ $v == '`` '*' ``' ]]; then
        v=${v#'`` '}
        v=${v%' ``'}
    elif [[ ${#v} -ge 2 && $v == '`'*'`' ]]; then
        v=${v:1:${#v}-2}
    fi
    printf '%s' "$v"
}

parse_list() {
    [[ -f $list ]] || die "no list at $list"
    local line id="" fence=0 key value n=0
    while IFS= read -r line || [[ -n $line ]]; do
        n=$((n + 1))
        if [[ $line == '```'* ]]; then
            fence=$((1 - fence))
            continue
        fi
        ((fence)) && continue
        if [[ $line =~ ^###[[:space:]]+(M[0-9A-Za-z_.-]+)[[:space:]]*(.*)$ ]]; then
            id=${BASH_REMATCH[1]}
            [[ -z ${seen[$id]:-} ]] || problems+=("line $n: $id is listed twice")
            seen[$id]=1
            ids+=("$id")
            title[$id]=$(sed -E 's/^[-—–:[:space:]]+//' <<<"${BASH_REMATCH[2]}")
            continue
        fi
        if [[ $line == '#'* ]]; then
            id="" # any other heading ends the entry
            continue
        fi
        [[ -n $id ]] || continue
        if [[ $line =~ ^(file|find|replace|run|build|timeout):[[:space:]]?(.*)$ ]]; then
            key=${BASH_REMATCH[1]}
            value=$(unquote "${BASH_REMATCH[2]}")
            case $key in
            file) file[$id]=$value ;;
            # A second find: or replace: line continues the text on a new line.
            find) find[$id]=${find[$id]+${find[$id]}$'\n'}$value ;;
            replace) replace[$id]=${replace[$id]+${replace[$id]}$'\n'}$value ;;
            run) run[$id]=$value ;;
            build) build[$id]=$value ;;
            timeout) timeout[$id]=$value ;;
            esac
        fi
    done <"$list"
    local i
    for i in "${ids[@]}"; do
        [[ -n ${file[$i]:-} ]] || problems+=("$i has no file: line")
        [[ -n ${find[$i]:-} ]] || problems+=("$i has no find: line")
        [[ -n ${replace[$i]+set} ]] || problems+=("$i has no replace: line")
        [[ -n ${run[$i]:-} ]] || problems+=("$i has no run: line")
        [[ ${find[$i]:-} != "${replace[$i]:-}" ]] || problems+=("$i: replace equals find")
        [[ ${timeout[$i]:-1} =~ ^[0-9]+$ ]] || problems+=("$i: timeout is not a number of seconds")
    done
}

# ---- Finding and planting ---------------------------------------------------------------------

# occurrences TEXT NEEDLE: how many times NEEDLE occurs in TEXT.
occurrences() {
    local text=$1 needle=$2
    local rest=${text//"$needle"/}
    echo $(((${#text} - ${#rest}) / ${#needle}))
}

read_file() { # read_file PATH VAR: the whole file, trailing newlines included
    IFS= read -r -d '' "$2" <"$1" || true
}

# head_file PATH VAR: the file as HEAD holds it.
head_file() {
    IFS= read -r -d '' "$2" < <(git -C "$repo" show "$commit:$1") || true
}

# locate ID: sets `where` (a path in HEAD) and `note`; false when the mutant is stale. A path
# that no longer exists is looked for by its base name anywhere in HEAD, so that an entry
# survives a file's move to another folder.
locate() {
    local id=$1 path=${file[$1]} candidate content count matches=()
    note=""
    where=""
    if git -C "$repo" cat-file -e "$commit:$path" 2>/dev/null; then
        head_file "$path" content
        count=$(occurrences "$content" "${find[$id]}")
        if [[ $count -eq 1 ]]; then
            where=$path
            return 0
        fi
        note="find occurs $count times in $path"
        return 1
    fi
    local name
    name=$(basename "$path")
    while IFS= read -r candidate; do
        head_file "$candidate" content
        if [[ $(occurrences "$content" "${find[$id]}") -eq 1 ]]; then
            matches+=("$candidate")
        fi
    done < <(git -C "$repo" ls-tree -r --name-only "$commit" | awk -F/ -v name="$name" '$NF == name')
    if [[ ${#matches[@]} -eq 1 ]]; then
        where=${matches[0]}
        note="moved: $path -> $where"
        return 0
    fi
    if [[ ${#matches[@]} -eq 0 ]]; then
        note="$path is gone and no file of that name holds find once"
    else
        note="$path is gone and ${#matches[@]} files of that name hold find once"
    fi
    return 1
}

plant() { # plant PATH ID
    local content
    read_file "$tree/$1" content
    printf '%s' "${content/"${find[$2]}"/"${replace[$2]}"}" >"$tree/$1"
}

# ---- Builds -----------------------------------------------------------------------------------

# The build folder of a set of extra options: the plain one, or one per distinct `build:` line.
build_dir() {
    if [[ -z ${1:-} ]]; then
        echo "$scratch/build"
    else
        echo "$scratch/build-$(printf '%s' "$1" | sha1sum | cut -c1-10)"
    fi
}

declare -A configured
# configure EXTRA: configures and builds the folder of those options once per run.
configure() {
    local extra=${1:-} dir
    dir=$(build_dir "$extra")
    [[ -n ${configured[$dir]:-} ]] && return "${configured[$dir]}"
    local options=()
    [[ -z $extra ]] || read -ra options <<<"$extra"
    echo "== configure and build $(basename "$dir") ${extra:+($extra)}" >&2
    local log
    log="$scratch/logs/configure-$(basename "$dir").log"
    if cmake -S "$tree" -B "$dir" "${baseOptions[@]}" "${options[@]}" >"$log" 2>&1 &&
        nice cmake --build "$dir" --parallel "$jobs" >>"$log" 2>&1; then
        configured[$dir]=0
    else
        echo "   the unmutated build failed: see $log" >&2
        configured[$dir]=1
    fi
    return "${configured[$dir]}"
}

# split RUN: the run line as words (quotes as the shell takes them, nothing expanded).
split() {
    words=()
    mapfile -d '' words < <(xargs printf '%s\0' <<<"$1")
}

# target_of DIR: the build target the run line in `words` needs ("" builds everything).
target_of() {
    local dir=$1
    if [[ ${words[0]} != ctest ]]; then
        echo "${words[0]}"
        return
    fi
    # A test's command names the programs it runs: the first one built in the folder.
    local w
    while IFS= read -r w; do
        w=${w#\"}
        w=${w%\"}
        if [[ $w == "$dir"/* && -f $w && -x $w ]]; then
            basename "$w"
            return
        fi
    done < <(ctest --test-dir "$dir" -N -V "${words[@]:1}" 2>/dev/null |
        sed -n 's/^.*Test command: //p' | tr ' ' '\n')
    echo ""
}

build_target() { # build_target DIR TARGET LOG
    if [[ -n $2 ]]; then
        nice cmake --build "$1" --target "$2" --parallel "$jobs" >>"$3" 2>&1
    else
        nice cmake --build "$1" --parallel "$jobs" >>"$3" 2>&1
    fi
}

# run_test DIR SECONDS LOG: runs `words`; the test's exit status (124 after the time ran out).
run_test() {
    local dir=$1 seconds=$2 log=$3 program status
    export QT_QPA_PLATFORM=offscreen VENTARO_SPLASH_MS=0
    if [[ ${words[0]} == ctest ]]; then
        timeout --kill-after=10 "$seconds" ctest --test-dir "$dir" --output-on-failure \
            --no-tests=error "${words[@]:1}" >>"$log" 2>&1
        return $?
    fi
    program=$(find "$dir" -path '*/CMakeFiles' -prune -o -type f -executable \
        -name "${words[0]}" -print -quit)
    if [[ -z $program ]]; then
        echo "RunMutants: no program ${words[0]} in $dir" >>"$log"
        return 127
    fi
    # The outer redirection takes the shell's own report of a crash into the log too.
    { (cd "$(dirname "$program")" &&
        timeout --kill-after=10 "$seconds" "$program" "${words[@]:1}") >>"$log" 2>&1; } 2>>"$log"
    status=$?
    # A filter that selects nothing passes without testing anything.
    if [[ $status -eq 0 ]] && grep -q '^\[  PASSED  \] 0 tests' "$log"; then
        echo "RunMutants: the run selects no test" >>"$log"
        return 125
    fi
    return $status
}

# The unmutated run of each distinct build and run line must pass, or a failure says nothing.
declare -A baseline
baseline_passes() { # baseline_passes DIR TARGET TIMEOUT RUN
    local key="$1|$4"
    if [[ -z ${baseline[$key]:-} ]]; then
        local log
        log="$scratch/logs/baseline-$(printf '%s' "$key" | sha1sum | cut -c1-10).log"
        : >"$log"
        if build_target "$1" "$2" "$log" && run_test "$1" "$3" "$log"; then
            baseline[$key]=0
        else
            baseline[$key]=1
            baselineLog=$log
        fi
    fi
    return "${baseline[$key]}"
}

# ---- Main -------------------------------------------------------------------------------------

checkOnly=0
wanted=()
revision=HEAD
while [[ $# -gt 0 ]]; do
    arg=$1
    shift
    case $arg in
    --check) checkOnly=1 ;;
    --at)
        [[ $# -gt 0 ]] || die "--at needs a revision"
        revision=$1
        shift
        ;;
    -h | --help)
        sed -n '2,13p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    -*) die "unknown option $arg" ;;
    *) wanted+=("$arg") ;;
    esac
done

parse_list
if [[ ${#problems[@]} -gt 0 ]]; then
    printf 'RunMutants: %s\n' "${problems[@]}" >&2
    exit 2
fi
if [[ ${#wanted[@]} -gt 0 ]]; then
    for w in "${wanted[@]}"; do
        [[ -n ${seen[$w]:-} ]] || die "no mutant $w in $list"
    done
    ids=("${wanted[@]}")
fi
[[ ${#ids[@]} -gt 0 ]] || die "the list holds no mutant"

commit=$(git -C "$repo" rev-parse --verify "$revision^{commit}") || die "no revision $revision"
if [[ -n $(git -C "$repo" status --porcelain --untracked-files=no -- . ':!tests/mutants.md') ]]; then
    echo "RunMutants: uncommitted changes are not part of the run: it plants into $revision" >&2
fi

if ((!checkOnly)); then
    mkdir -p "$scratch/logs" || die "cannot make $scratch"
    exec 9>"$scratch/lock"
    flock -n 9 || die "another run uses $scratch"
    # A fresh worktree of HEAD at a fixed place: the compiler cache recognises its files.
    git -C "$repo" worktree remove --force "$tree" >/dev/null 2>&1
    rm -rf "$tree"
    git -C "$repo" worktree prune
    git -C "$repo" worktree add --detach "$tree" "$commit" >/dev/null 2>&1 ||
        die "cannot add a worktree at $tree"
    cleanup() {
        git -C "$repo" worktree remove --force "$tree" >/dev/null 2>&1
        git -C "$repo" worktree prune >/dev/null 2>&1
    }
    trap cleanup EXIT
    trap 'exit 130' INT TERM
fi

started=$(date +%s)
declare -A result detail seconds
caught=0
failed=0
index=0
for id in "${ids[@]}"; do
    index=$((index + 1))
    t0=$(date +%s)
    result[$id]=""
    detail[$id]=""
    if ! locate "$id"; then
        result[$id]=STALE
        detail[$id]=$note
    elif ((checkOnly)); then
        result[$id]=FOUND
        detail[$id]=$note
    else
        detail[$id]=$note
        dir=$(build_dir "${build[$id]:-}")
        split "${run[$id]}"
        log="$scratch/logs/$id.log"
        : >"$log"
        if ! configure "${build[$id]:-}"; then
            result[$id]=BASELINE-FAILS
            detail[$id]="the unmutated build fails"
        else
            target=$(target_of "$dir")
            limit=${timeout[$id]:-$defaultTimeout}
            baselineLog=""
            if ! baseline_passes "$dir" "$target" "$limit" "${run[$id]}"; then
                result[$id]=BASELINE-FAILS
                detail[$id]="the run fails without the mutant${baselineLog:+: $baselineLog}"
            else
                cp -p "$tree/$where" "$scratch/original"
                plant "$where" "$id"
                echo "== $id: ${find[$id]} -> ${replace[$id]} in $where" >>"$log"
                if ! build_target "$dir" "$target" "$log"; then
                    result[$id]=COMPILE-ERROR
                else
                    run_test "$dir" "$limit" "$log"
                    status=$?
                    case $status in
                    0) result[$id]=SURVIVED ;;
                    124 | 137) result[$id]=CAUGHT detail[$id]+="${detail[$id]:+; }timed out" ;;
                    125) result[$id]=SURVIVED detail[$id]+="${detail[$id]:+; }no test ran" ;;
                    127) result[$id]=COMPILE-ERROR detail[$id]+="${detail[$id]:+; }no program" ;;
                    *) result[$id]=CAUGHT ;;
                    esac
                fi
                cp "$scratch/original" "$tree/$where"
                touch "$tree/$where" # newer than the mutant's objects: the next build redoes them
            fi
        fi
    fi
    seconds[$id]=$(($(date +%s) - t0))
    [[ ${result[$id]} == CAUGHT || ${result[$id]} == FOUND ]] && caught=$((caught + 1)) ||
        failed=$((failed + 1))
    printf '[%3d/%d] %-6s %-14s %4ss  %s\n' "$index" "${#ids[@]}" "$id" "${result[$id]}" \
        "${seconds[$id]}" "${detail[$id]}" >&2
done

elapsed=$(($(date +%s) - started))
declare -A counts
for id in "${ids[@]}"; do
    counts[${result[$id]}]=$((${counts[${result[$id]}]:-0} + 1))
done
summary=""
for r in CAUGHT FOUND SURVIVED STALE COMPILE-ERROR BASELINE-FAILS; do
    [[ -n ${counts[$r]:-} ]] && summary+="${summary:+, }${counts[$r]} ${r,,}"
done

if ((checkOnly)); then
    echo "$summary"
    [[ $failed -eq 0 ]]
    exit
fi

echo
echo "## Last run"
echo
printf '%s, commit %s, %d mutants: %s; %d min %02d s.\n' "$(date -u '+%Y-%m-%d %H:%M UTC')" \
    "${commit:0:10}" "${#ids[@]}" "$summary" $((elapsed / 60)) $((elapsed % 60))
echo
echo "| Mutant | Fault | Result | Time | Note |"
echo "|--------|-------|--------|-----:|------|"
for id in "${ids[@]}"; do
    printf '| %s | %s | %s | %s s | %s |\n' "$id" "${title[$id]//|/\\|}" "${result[$id]}" \
        "${seconds[$id]}" "${detail[$id]}"
done
echo
echo "Logs: $scratch/logs/<ID>.log" >&2
[[ $failed -eq 0 ]]
