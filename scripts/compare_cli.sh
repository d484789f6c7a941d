#!/usr/bin/env bash
# Compare fenmark-cli of a base revision with the working tree's (or with a
# second revision's) over generated registers: list, schedule and statement
# must print the same bytes, on both streams, with the same exit code.
#
#   bash scripts/compare_cli.sh BASE [--head REV] [--count N] [--seed S]
#                               [--jobs J] [--odd P] [--leaving P] [--full] [--text-only]
#                               [--show N]
#
# BASE is built from a git worktree in build/compare/base-src into
# build/compare/base; the working tree (or --head REV, from a worktree in
# build/compare/head-src) into build/compare/head. Both worktrees and
# build folders are kept and reused. Registers that gave a difference are
# kept in build/compare/failures/ with report.txt. Exits 0 when nothing
# differs, 1 when something does, 2 when a build or the set-up fails.
set -euo pipefail

usage() {
    cat >&2 <<'EOF'
usage: bash scripts/compare_cli.sh BASE [--head REV] [--count N] [--seed S] [--jobs J] [--text-only]
                                   [--odd P] [--leaving P] [--full] [--show N]

  --head REV  build REV instead of the working tree
  --count N   number of generated registers (default 300)
  --seed S    seed of the generator (default 1); the same seed gives the same registers
  --jobs J    comparisons run at a time (default: the number of processors)
  --leaving P percentage of assets recorded as scrapped or sold (default 10)
  --odd P     percentage of registers that get one to three records with values the
              card would refuse (default 50; 0 for card-written registers alone)
  --text-only leave out the JSON commands (TSV and CSV only), for revisions whose
              JSON layouts differ
  --full      every closing month x rounding x current year for every register
              (about ten times as many commands)
  --show N    print diffs of the first N differences (default 50; all are in the report)
EOF
    exit 2
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

base=""
head_rev=""
count=300
seed=1
jobs=$(nproc 2>/dev/null || echo 2)
full=()
text=()
show=50
odd=50
leaving=10
while (($#)); do
    case "$1" in
        --head) head_rev=${2:?--head needs a revision}; shift 2 ;;
        --count) count=${2:?--count needs a number}; shift 2 ;;
        --seed) seed=${2:?--seed needs a number}; shift 2 ;;
        --jobs) jobs=${2:?--jobs needs a number}; shift 2 ;;
        --show) show=${2:?--show needs a number}; shift 2 ;;
        --odd) odd=${2:?--odd needs a percentage}; shift 2 ;;
        --leaving) leaving=${2:?--leaving needs a percentage}; shift 2 ;;
        --full) full=(--full); shift ;;
        --text-only) text=(--text-only); shift ;;
        -h|--help) usage ;;
        -*) echo "compare_cli: unknown option $1" >&2; usage ;;
        *) [[ -z $base ]] || usage; base=$1; shift ;;
    esac
done
[[ -n $base ]] || usage
for n in "$count" "$seed" "$jobs" "$show" "$odd" "$leaving"; do
    [[ $n =~ ^[0-9]+$ ]] || { echo "compare_cli: not a number: $n" >&2; exit 2; }
done
((count >= 1 && jobs >= 1)) || { echo "compare_cli: --count and --jobs must be at least 1" >&2; exit 2; }

out=$root/build/compare
mkdir -p "$out"

resolve() {
    git rev-parse --verify --quiet "$1^{commit}" ||
        { echo "compare_cli: no such revision: $1" >&2; exit 2; }
}

# A detached worktree of `commit` in `dir`, reused when it is already there.
worktree() {
    local dir=$1 commit=$2
    if [[ -e $dir/.git ]] && [[ $(git -C "$dir" rev-parse --show-toplevel 2>/dev/null) == "$dir" ]]; then
        if [[ $(git -C "$dir" rev-parse HEAD) != "$commit" ]]; then
            echo "compare_cli: moving $dir to ${commit:0:12}"
            git -C "$dir" checkout --quiet --force --detach "$commit"
        fi
        return
    fi
    # Gone from disk, or left over from a removed worktree: start again.
    git worktree prune
    rm -rf "$dir"
    git worktree add --quiet --detach "$dir" "$commit"
}

# Configure `src` into `bld` and build fenmark-cli alone. A revision whose
# CMakeLists cannot leave the window program out is built with it on; only
# the fenmark-cli target is built either way.
build() {
    local name=$1 src=$2 bld=$3 log=$out/$1-build.log
    local common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DFENMARK_BUILD_TESTS=OFF
                  -DFENMARK_BUILD_BENCH=OFF -DFENMARK_WERROR=OFF -DFENMARK_SANITIZE=OFF)
    echo "compare_cli: building $name fenmark-cli ($src -> $bld)"
    # A build folder configured from another source folder (the working tree
    # last time, a worktree now) cannot be reused.
    local cached
    cached=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$bld/CMakeCache.txt" 2>/dev/null || true)
    if [[ -n $cached && $cached != "$src" ]]; then
        echo "compare_cli: $bld was configured from $cached; starting it afresh"
        rm -rf "$bld"
    fi
    if ! cmake -S "$src" -B "$bld" "${common[@]}" -DFENMARK_BUILD_GUI=OFF >"$log" 2>&1; then
        echo "compare_cli: $name: configuring without the window program failed; trying with it" |
            tee -a "$log"
        cmake -S "$src" -B "$bld" "${common[@]}" -DFENMARK_BUILD_GUI=ON >>"$log" 2>&1 ||
            { tail -n 30 "$log" >&2; echo "compare_cli: $name: cmake failed (see $log)" >&2; exit 2; }
    fi
    cmake --build "$bld" --target fenmark-cli --parallel 2 >>"$log" 2>&1 ||
        { tail -n 40 "$log" >&2; echo "compare_cli: $name: build failed (see $log)" >&2; exit 2; }
}

base_commit=$(resolve "$base")
worktree "$out/base-src" "$base_commit"
build base "$out/base-src" "$out/base"

if [[ -n $head_rev ]]; then
    head_commit=$(resolve "$head_rev")
    worktree "$out/head-src" "$head_commit"
    head_src=$out/head-src
    head_name="$head_rev (${head_commit:0:12})"
else
    head_src=$root
    head_name="working tree ($(git rev-parse --short=12 HEAD)$(git diff --quiet HEAD -- 2>/dev/null || echo ', with changes'))"
fi
build head "$head_src" "$out/head"

# The rate tables moved from card/ to law/; either revision may have them.
rates=""
for candidate in "$out/base-src/law/rate_tables.cpp" "$out/base-src/card/rate_tables.cpp" \
    "$head_src/law/rate_tables.cpp" "$head_src/card/rate_tables.cpp"; do
    if [[ -f $candidate ]]; then rates=$candidate; break; fi
done

echo "compare_cli: base $base (${base_commit:0:12}) against $head_name"
work=$(mktemp -d "${TMPDIR:-/tmp}/compare_cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
start=$SECONDS
status=0
python3 "$root/scripts/compare_cli.py" --base-cli "$out/base/fenmark-cli" \
    --head-cli "$out/head/fenmark-cli" --rates "$rates" --work "$work" \
    --failures "$out/failures" --count "$count" --seed "$seed" --jobs "$jobs" \
    --show "$show" --odd "$odd" --leaving "$leaving" "${full[@]}" "${text[@]}" || status=$?
echo "compare_cli: comparisons took $((SECONDS - start)) s"
exit "$status"
