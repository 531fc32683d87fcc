#!/usr/bin/env bash
# Plants each fault of tests/mutants.md in a scratch copy of HEAD and checks that its test fails.
#
# Usage: tools/mutants/RunMutants.sh [--check] [--at REV] [ID...]
#   ID...     only these mutants (default: every mutant of the list)
#   --check   only parse the list and look for each `find`; no build, no test
#   --at REV  plant into (or check) REV instead of HEAD, e.g. a branch about to be merged
#
# The sources are never edited in place: REV is checked out as a git worktree under
# $VENTARO_MUTANTS_DIR (default /tmp/ventaro-mutants) and built there; each mutant is planted,
# its target rebuilt and run, and the fault taken out again. Build folders stay between runs.
set -u
shopt -u patsub_replacement 2>/dev/null # "&" in a replacement is a plain character

repo=$(git -C "$(dirname "${BASH_SOURCE[0]}")" rev-parse --show-toplevel) || exit 2
list="$repo/tests/mutants.md"
scratch=${VENTARO_MUTANTS_DIR:-/tmp/ventaro-mutants}
tree="$scratch/tree"
jobs=2 # the machine's cores are shared: never more
baseOptions=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
             -DCMAKE_C_COMPILER_LAUNCHER=ccache -DVENTARO_BENCH=OFF)
die() { echo "RunMutants: $*" >&2; exit 2; }

# ---- The list: "### Mnn title" headings, then key: `value` lines until the next heading ----
ids=() problems=()
declare -A title file find replace run build timeout
while IFS= read -r line || [[ -n $line ]]; do
    [[ $line == '```'* ]] && { fence=$((1 - ${fence:-0})); continue; }
    ((${fence:-0})) && continue
    if [[ $line =~ ^###[[:space:]]+(M[0-9A-Za-z_.-]+)[[:space:]]*(.*)$ ]]; then
        id=${BASH_REMATCH[1]}
        [[ -z ${title[$id]+set} ]] || problems+=("$id is listed twice")
        ids+=("$id")
        title[$id]=$(sed -E 's/^[-—–:[:space:]]+//' <<<"${BASH_REMATCH[2]}")
        continue
    fi
    [[ $line == '#'* ]] && { id=""; continue; }
    [[ -n ${id:-} && $line =~ ^(file|find|replace|run|build|timeout):[[:space:]]?(.*)$ ]] || continue
    key=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]}
    # `value` keeps its blanks; ``value`` holds a backtick.
    if [[ $value == '`` '*' ``' ]]; then value=${value#'`` '} value=${value%' ``'}
    elif [[ ${#value} -ge 2 && $value == '`'*'`' ]]; then value=${value:1:${#value}-2}; fi
    # shellcheck disable=SC2178 # a name reference to one of the arrays above
    declare -n slot=$key
    # A second find: or replace: line continues the text on a new line.
    if [[ $key == find || $key == replace ]]; then
        slot[$id]=${slot[$id]+${slot[$id]}$'\n'}$value
    else
        slot[$id]=$value
    fi
    unset -n slot
done <"$list"
for i in "${ids[@]}"; do
    for key in file find run; do
        # shellcheck disable=SC2178 # a name reference to one of the arrays above
    declare -n slot=$key
        [[ -n ${slot[$i]:-} ]] || problems+=("$i has no $key: line")
        unset -n slot
    done
    [[ -n ${replace[$i]+set} ]] || problems+=("$i has no replace: line")
    [[ ${find[$i]:-} != "${replace[$i]:-}" ]] || problems+=("$i: replace equals find")
    [[ ${timeout[$i]:-1} =~ ^[0-9]+$ ]] || problems+=("$i: timeout is not a number of seconds")
done

checkOnly=0 revision=HEAD wanted=()
while [[ $# -gt 0 ]]; do
    case $1 in
    --check) checkOnly=1 ;;
    --at) [[ $# -gt 1 ]] || die "--at needs a revision"; revision=$2; shift ;;
    -*) die "unknown option $1 (see the top of $0)" ;;
    *) [[ -n ${title[$1]+set} ]] || die "no mutant $1 in $list"; wanted+=("$1") ;;
    esac
    shift
done
[[ ${#problems[@]} -eq 0 ]] || { printf 'RunMutants: %s\n' "${problems[@]}" >&2; exit 2; }
[[ ${#wanted[@]} -eq 0 ]] || ids=("${wanted[@]}")
[[ ${#ids[@]} -gt 0 ]] || die "the list holds no mutant"
commit=$(git -C "$repo" rev-parse --verify "$revision^{commit}") || die "no revision $revision"
[[ -z $(git -C "$repo" status --porcelain --untracked-files=no -- . ':!tests/mutants.md') ]] ||
    echo "RunMutants: uncommitted changes are not part of the run: it plants into $revision" >&2

# found ID: true when `find` occurs exactly once in the file as the revision holds it.
found() {
    local text rest
    text=$(git -C "$repo" show "$commit:${file[$1]}" 2>/dev/null) || { note="${file[$1]} is gone"; return 1; }
    rest=${text//"${find[$1]}"/}
    local count=$(((${#text} - ${#rest}) / ${#find[$1]}))
    [[ $count -eq 1 ]] || { note="find occurs $count times in ${file[$1]}"; return 1; }
}

# ---- Builds and runs --------------------------------------------------------------------------
declare -A configured baseline
build_dir() { [[ -z $1 ]] && echo "$scratch/build" || echo "$scratch/build-$(printf %s "$1" | sha1sum | cut -c1-10)"; }
configure() { # configure EXTRA: configures and builds the folder of those options once a run
    local dir log options=()
    dir=$(build_dir "$1")
    log="$scratch/logs/configure-${dir##*/}.log"
    [[ -n ${configured[$dir]:-} ]] && return "${configured[$dir]}"
    read -ra options <<<"$1"
    echo "== configure and build $(basename "$dir") $1" >&2
    cmake -S "$tree" -B "$dir" "${baseOptions[@]}" "${options[@]}" >"$log" 2>&1 &&
        nice cmake --build "$dir" --parallel "$jobs" >>"$log" 2>&1
    configured[$dir]=$?
    [[ ${configured[$dir]} -eq 0 ]] || echo "   the unmutated build failed: see $log" >&2
    return "${configured[$dir]}"
}
target_of() { # target_of DIR: the program `words` runs; for ctest, the first one its test runs
    [[ ${words[0]} != ctest ]] && { echo "${words[0]}"; return; }
    local w
    while IFS= read -r w; do
        w=${w//\"/}
        [[ $w == "$1"/* && -f $w && -x $w ]] && { basename "$w"; return; }
    done < <(ctest --test-dir "$1" -N -V "${words[@]:1}" 2>/dev/null | sed -n 's/^.*Test command: //p' | tr ' ' '\n')
    echo "" # none found: build everything
}
build_target() { nice cmake --build "$1" ${2:+--target "$2"} --parallel "$jobs" >>"$3" 2>&1; }
run_test() { # run_test DIR SECONDS LOG: the status of `words` (124 when the time ran out)
    local program status
    export QT_QPA_PLATFORM=offscreen VENTARO_SPLASH_MS=0
    if [[ ${words[0]} == ctest ]]; then
        timeout -k 10 "$2" ctest --test-dir "$1" --output-on-failure --no-tests=error "${words[@]:1}" >>"$3" 2>&1 9>&-
        return
    fi
    program=$(find "$1" -path '*/CMakeFiles' -prune -o -type f -executable -name "${words[0]}" -print -quit)
    [[ -n $program ]] || { echo "RunMutants: no program ${words[0]}" >>"$3"; return 127; }
    # The outer redirection takes the shell's own report of a crash into the log too.
    # A server a crashed test leaves behind must not hold the run's lock (fd 9).
    { (cd "$(dirname "$program")" && timeout -k 10 "$2" "$program" "${words[@]:1}" 9>&-) >>"$3" 2>&1; } 2>>"$3"
    status=$?
    # A filter that selects nothing passes without testing anything.
    [[ $status -eq 0 ]] && grep -q '^\[  PASSED  \] 0 tests' "$3" && return 125
    return $status
}
baseline_passes() { # DIR TARGET SECONDS RUN: the unmutated run must pass, or a failure says nothing
    local key="$1|$4" log
    if [[ -z ${baseline[$key]:-} ]]; then
        baselineLog="$scratch/logs/baseline-$(sha1sum <<<"$key" | cut -c1-10).log"
        : >"$baselineLog"
        build_target "$1" "$2" "$baselineLog" && run_test "$1" "$3" "$baselineLog"
        baseline[$key]=$?
    fi
    return "${baseline[$key]}"
}

if ((!checkOnly)); then
    mkdir -p "$scratch/logs" || die "cannot make $scratch"
    exec 9>"$scratch/lock"
    flock -n 9 || die "another run uses $scratch"
    # A fresh worktree at a fixed place: the compiler cache recognises its files.
    git -C "$repo" worktree remove --force "$tree" >/dev/null 2>&1
    rm -rf "$tree"
    git -C "$repo" worktree prune
    git -C "$repo" worktree add --detach "$tree" "$commit" >/dev/null 2>&1 || die "cannot add a worktree at $tree"
    trap 'git -C "$repo" worktree remove --force "$tree" >/dev/null 2>&1; git -C "$repo" worktree prune' EXIT
    trap 'exit 130' INT TERM
fi

started=$(date +%s) index=0 failed=0
declare -A result detail seconds counts
for id in "${ids[@]}"; do
    index=$((index + 1)) t0=$(date +%s) note=""
    if ! found "$id"; then
        result[$id]=STALE
    elif ((checkOnly)); then
        result[$id]=FOUND
    else
        dir=$(build_dir "${build[$id]:-}") log="$scratch/logs/$id.log" limit=${timeout[$id]:-300}
        mapfile -d '' words < <(xargs printf '%s\0' <<<"${run[$id]}")
        : >"$log"
        if ! configure "${build[$id]:-}"; then
            result[$id]=BASELINE-FAILS note="the unmutated build fails"
        elif target=$(target_of "$dir") && ! baseline_passes "$dir" "$target" "$limit" "${run[$id]}"; then
            result[$id]=BASELINE-FAILS note="the run fails without the mutant: $baselineLog"
        else
            cp -p "$tree/${file[$id]}" "$scratch/original"
            content=$(cat "$tree/${file[$id]}"; echo .) # the dot keeps the trailing newlines
            content=${content%.}
            printf '%s' "${content/"${find[$id]}"/"${replace[$id]}"}" >"$tree/${file[$id]}"
            echo "== $id: ${find[$id]} -> ${replace[$id]} in ${file[$id]}" >>"$log"
            if ! build_target "$dir" "$target" "$log"; then
                result[$id]=COMPILE-ERROR
            else
                run_test "$dir" "$limit" "$log"
                case $? in
                0) result[$id]=SURVIVED ;;
                124 | 137) result[$id]=CAUGHT note="timed out" ;;
                125) result[$id]=SURVIVED note="no test ran" ;;
                127) result[$id]=COMPILE-ERROR note="no program" ;;
                *) result[$id]=CAUGHT ;;
                esac
            fi
            cp "$scratch/original" "$tree/${file[$id]}"
            touch "$tree/${file[$id]}" # newer than the mutant's objects: the next build redoes them
        fi
    fi
    detail[$id]=$note seconds[$id]=$(($(date +%s) - t0))
    [[ ${result[$id]} == CAUGHT || ${result[$id]} == FOUND ]] || failed=$((failed + 1))
    counts[${result[$id]}]=$((${counts[${result[$id]}]:-0} + 1))
    printf '[%3d/%d] %-6s %-14s %4ss  %s\n' "$index" "${#ids[@]}" "$id" "${result[$id]}" "${seconds[$id]}" "$note" >&2
done

summary=""
for r in CAUGHT FOUND SURVIVED STALE COMPILE-ERROR BASELINE-FAILS; do
    [[ -n ${counts[$r]:-} ]] && summary+="${summary:+, }${counts[$r]} ${r,,}"
done
if ((!checkOnly)); then
    elapsed=$(($(date +%s) - started))
    printf '\n## Last run\n\n%s, commit %s, %d mutants: %s; %d min %02d s.\n\n' "$(date -u '+%Y-%m-%d %H:%M UTC')" \
        "${commit:0:10}" "${#ids[@]}" "$summary" $((elapsed / 60)) $((elapsed % 60))
    echo "| Mutant | Fault | Result | Time | Note |"
    echo "|--------|-------|--------|-----:|------|"
    for id in "${ids[@]}"; do
        printf '| %s | %s | %s | %s s | %s |\n' "$id" "${title[$id]//|/\\|}" "${result[$id]}" "${seconds[$id]}" "${detail[$id]}"
    done
else
    echo "$summary"
fi
[[ $failed -eq 0 ]]
