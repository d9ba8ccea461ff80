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
# Qt-free parts outside the layers: the settings name, the data finder and the plot model
# with its SVG writer, which the batch calculator uses.
qt_free=(src/identity src/installation src/graph/plot_label.* src/graph/plot_layout.*
         src/graph/plot_look.* src/graph/plot_model.* src/graph/plot_painting.*
         src/graph/svg_plot_writer.*)
if grep -rnE '#include\s*[<"]Q[A-Za-z]+' "${qt_free[@]}"; then
    echo "A part that must stay free of Qt includes Qt headers" >&2
    status=1
fi
exit $status
