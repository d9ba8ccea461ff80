#!/usr/bin/env bash
# The core's layers point down only: lang <- engine <- units <- document <- session. A file
# may include its own folder and the folders below it, and nothing of Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(lang engine units document session)
status=0
for i in "${!layers[@]}"; do
    folder=${layers[$i]}
    above=("${layers[@]:$((i + 1))}" app cli graph appearance remover)
    for upper in "${above[@]}"; do
        if grep -rnE "#include\s*\"$upper/" "src/$folder"; then
            echo "src/$folder includes src/$upper, a layer above it" >&2
            status=1
        fi
    done
    if grep -rnE '#include\s*[<"]Q[A-Za-z]+' "src/$folder"; then
        echo "src/$folder includes Qt headers" >&2
        status=1
    fi
done
# Small Qt-free libraries outside the layers: the settings name and the data finder.
for folder in identity installation; do
    if grep -rnE '#include\s*[<"]Q[A-Za-z]+' "src/$folder"; then
        echo "src/$folder includes Qt headers" >&2
        status=1
    fi
done
exit $status
