#!/usr/bin/env bash
# Holds the sources to their layout (docs/layout.md): each folder of src/
# includes only from the folders below it, the scene, the bitmap code and
# everything under them never include wx, nothing outside src/platform/'s
# backends includes a system header or asks which system it is built for, and
# no two files share a name. Reads the #include lines only.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

# The folders each folder may include from, besides itself.
declare -A below=(
    [platform]=""
    [base]="platform"
    [scene]="base platform"
    [dib]="base platform"
    [render]="scene dib base platform"
    [frame]="render scene dib base platform"
    [app]="frame render scene dib base platform"
)

sources() { find src -name '*.h' -o -name '*.cpp' | sort; }
faults=0
fault() { echo "check-layout: $*" >&2 && faults=$((faults + 1)); }

while IFS= read -r file; do
    folder=${file#src/} folder=${folder%%/*}
    [[ -v below[$folder] ]] || { fault "$file: src/$folder is not a known folder" && continue; }
    # Inside src/platform, only the backend folders (x11/, win32/, ...) reach the system.
    system_side=false
    [[ $file == src/platform/*/* ]] && system_side=true
    while IFS= read -r header; do
        case $header in
        \"*/*)
            header=${header//\"/}
            to=${header%%/*}
            [[ $to == "$folder" || " ${below[$folder]} " == *" $to "* ]] ||
                fault "$file includes $header: src/$folder does not build on src/$to"
            ;;
        \<wx/*)
            [[ $folder == frame || $folder == app ]] || fault "$file includes $header: only frame and app use wx"
            ;;
        \<GL/gl.h\>) ;;
        \<*.*\> | \<*/*\>)
            $system_side || fault "$file includes the system header $header outside a platform backend"
            ;;
        esac
    done < <(sed -n -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]*[>"]).*/\1/p' "$file")
    if ! $system_side && grep -n -E '\b(_WIN32|_WIN64|__linux__|__unix__|__APPLE__|_MSC_VER)\b' "$file" >/dev/null; then
        fault "$file asks which system it is built for, outside a platform backend"
    fi
done < <(sources)

# One name, one file: a header and its source share a stem, and a backend is
# named for its system (x11/X11Keyboard.cpp), so a reader or a tool that pairs
# files by name never pairs two of different layers or systems.
for name in $(sources | sed 's#.*/##' | sort | uniq -d); do
    fault "files named $name lie in two folders:" $(sources | grep "/$name$")
done

((faults == 0)) || exit 1
echo "check-layout: every folder of src/ builds only on the folders below it"
