#!/bin/sh
# Fails when a file includes a header of a higher layer: core may use QtCore and QtGui only,
# widgets may not reach the forms or the program, the forms may not reach the program.
# Usage: check_layers.sh SOURCE_DIR QTWIDGETS_INCLUDE_DIR
source_dir=$1
widgets_headers=$2
[ -d "$widgets_headers" ] || { echo "no QtWidgets headers at '$widgets_headers'"; exit 2; }
status=0

# Prints every include in the files under folder that matches the extended pattern.
offending() {
    grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" \
        "$source_dir/$1"
}

report() {
    if [ -n "$2" ]; then
        echo "$1:"
        echo "$2"
        status=1
    fi
}

# Every header QtWidgets installs, by its bare name and with its module prefix.
widget_names=$(ls "$widgets_headers" | sed 's/[.]/[.]/g' | tr '\n' '|' | sed 's/|$//')
report "core includes a higher layer" "$(offending core '(widgets|forms|app)/')"
report "core includes a Widgets header" "$(offending core "QtWidgets|($widget_names)[>\"]")"
report "widgets include a higher layer" "$(offending widgets '(forms|app)/')"
report "forms include the program" "$(offending forms 'app/')"
[ $status -eq 0 ] && echo "layers are in order"
exit $status
