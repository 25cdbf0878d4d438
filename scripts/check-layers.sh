#!/usr/bin/env bash
# Checks that the house's dependencies point down: a file includes another library's headers
# only when that library stands on a lower floor, no include climbs out of its folder with "..",
# and no library exports the project root as an include folder. A library's tests stand on its
# floor. Prints each offence; exits 1 when there is one.
set -euo pipefail
cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}"

# Each library: its include prefix, its folder and its floor. Programs, benchmarks and the test
# harnesses stand above every library.
libraries="product product 0
numbers numbers 0
geometry geometry 0
gdi platform/gdi 1
ui platform/ui 2
dib dib 2
workbench workbench 3
qt platform/qt 3
testrun testrun 4
app app 5
script script 6
shell shell 7"

status=0
git ls-files '*.cpp' '*.h' | xargs grep -H '^#include "' | awk -v libraries="$libraries" '
BEGIN {
    n = split(libraries, lines, "\n")
    for (i = 1; i <= n; ++i) {
        split(lines[i], f, " ")
        floorOf[f[1]] = f[3]; folder[i] = f[2]; prefixOf[i] = f[1]
    }
    top = 8
}
{
    file = substr($0, 1, index($0, ":") - 1)
    included = $0; sub(/^[^"]*"/, "", included); sub(/".*$/, "", included)
    own = "-"; floor = top
    for (i = 1; i <= n; ++i) {
        if (index(file, folder[i] "/") == 1) { own = prefixOf[i]; floor = floorOf[own]; break }
    }
    if (included ~ /(^|\/)\.\.\//) {
        print file ": includes \"" included "\", which climbs out of its folder"; bad++; next
    }
    prefix = included; if (!sub(/\/.*$/, "", prefix)) next
    if (!(prefix in floorOf) || prefix == own) next
    if (floorOf[prefix] >= floor) {
        print file ": includes \"" included "\" from floor " floorOf[prefix] ", but stands on floor " floor
        bad++
    }
}
END { exit bad > 0 }' || status=1

if grep -rn --include=CMakeLists.txt 'include_directories.*PROJECT_SOURCE_DIR' .; then
    echo "a library exports the project root as an include folder"
    status=1
fi
[ "$status" -eq 0 ] && echo "every include points down"
exit "$status"
