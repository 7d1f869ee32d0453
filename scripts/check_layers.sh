#!/usr/bin/env bash
# Checks that includes point down the layers. Prints every include that
# breaks a rule and exits 1 if there is one.
#   scripts/check_layers.sh [SOURCE_DIR]
#
# Engine: a file in engine/<layer>/ includes "engine/<other>/..." only for a
# layer at or below its own, in this order (lowest first). A folder under
# engine/ that is not in the list is an error too, so a new folder gets a place.
# Application: app/files/ includes no other app folder; the knowledge folders
# include no header of an app/*/ui/ folder and no Qt Widgets or Qt GUI header;
# tools/userlist includes no app/*/ui/ header once the desktop library
# app/desktop/ exists (it is then the way to the screens shared with korvel).
set -uo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

layers=(config text tagger language grammar phrase templates query authoring request service api cli)
knowledge=(shell correction lessons exercises records files)
qt_include=${QT_INCLUDE_DIR:-/usr/include/x86_64-linux-gnu/qt6}

failures=0
fail() {
    echo "$1"
    failures=$((failures + 1))
}

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

# includes FOLDER: "file:line:included path" for every quoted include below FOLDER.
includes() {
    [ -d "$1" ] || return 0
    grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inl' --include='*.c' \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$1" |
        sed -E 's/^([^:]*):([0-9]*):[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1:\2:\3/'
}

# The engine.
if [ -d engine ]; then
    for dir in engine/*/; do
        layer=$(basename "$dir")
        if [ "$(rank_of "$layer")" -lt 0 ]; then
            fail "engine/$layer: a folder that is not a layer (add it to the layer list)"
        fi
    done
    while IFS=: read -r file line target; do
        [ -n "$file" ] || continue
        layer=$(echo "$file" | cut -d/ -f2)
        case $target in engine/*/*) ;; *) continue ;; esac
        used=$(echo "$target" | cut -d/ -f2)
        own=$(rank_of "$layer")
        other=$(rank_of "$used")
        if [ "$own" -lt 0 ]; then continue; fi
        if [ "$other" -lt 0 ]; then
            fail "$file:$line: includes $target, which is in no layer"
        elif [ "$other" -gt "$own" ]; then
            fail "$file:$line: layer $layer includes $target of the higher layer $used"
        fi
    done < <(includes engine)
fi

is_widget_header() {
    local name=$1
    case $name in
        QtWidgets/* | QtGui/* | QtWidgets | QtGui) return 0 ;;
        Q*) [ -e "$qt_include/QtWidgets/$name" ] || [ -e "$qt_include/QtGui/$name" ] ;;
        *) return 1 ;;
    esac
}

# The application.
while IFS=: read -r file line target; do
    [ -n "$file" ] || continue
    case $target in app/*) [ "$(echo "$target" | cut -d/ -f2)" = files ] || fail "$file:$line: app/files includes $target" ;; esac
done < <(includes app/files)

for area in "${knowledge[@]}"; do
    [ -d "app/$area" ] || continue
    while IFS=: read -r file line target; do
        [ -n "$file" ] || continue
        case $file in "app/$area/ui/"*) continue ;; esac
        case $target in
            app/*/ui/*) fail "$file:$line: knowledge folder $area includes the screen header $target" ;;
            *) if is_widget_header "$target"; then fail "$file:$line: knowledge folder $area includes $target"; fi ;;
        esac
    done < <(includes "app/$area")
done

while IFS=: read -r file line target; do
    [ -n "$file" ] || continue
    case $target in
        app/desktop/*) ;;
        app/*/ui/*) fail "$file:$line: tools/userlist includes the korvel screen header $target" ;;
    esac
done < <([ -d app/desktop ] && includes tools/userlist)

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) break the layers"
    exit 1
fi
echo "includes follow the layers"
