#!/usr/bin/env bash
# Records the `zintra` replies of a fixed set of requests on the bundled default
# installation, one file per request, so that two builds can be compared byte
# for byte.
#   scripts/replies_check.sh BUILD_DIR OUT_DIR            record
#   scripts/replies_check.sh BUILD_DIR OUT_DIR REF_DIR    record and compare with REF_DIR
set -uo pipefail
cd "$(dirname "$0")/.."
build=$1
out=$2
ref=${3:-}
install=$(mktemp -d)
trap 'rm -rf "$install"' EXIT
bash scripts/layout.sh "$build" "$install" >/dev/null
printf 'Mary Had a Little Lamb\nIt was "white" as snow & <b>bold</b>\nthird line\n' >"$install/templates/notes.txt"
printf '"A quoted title" rest\nline\n' >"$install/templates/quoted.txt"
rm -rf "$out"
mkdir -p "$out"
n=0
run() {  # run ARGS...: one zintra invocation, stdout, stderr and status recorded
    n=$((n + 1))
    local file
    file=$(printf '%s/%04d' "$out" "$n")
    printf '%s\n' "$*" >"$file.args"
    (cd "$install" && ./zintra "$@" >"$file.out" 2>"$file.err"; echo $? >"$file.rc")
}

sentences1=("I am a boy." "I'm a boy." "I is a boy." "I are a boy." "Me am a boy." "I am boy." "I am a girl."
    "i am a boy" "I am a boy" "I am a a boy." "Am I a boy?" "I am the boy." "I a boy." "boy a am I."
    "I am a good boy." "I am a boys." "We are boys." "I AM A BOY." "I  am   a boy." "I am a boy!"
    "I am a boy & a girl." "I am <a> boy." "" "." "I" "You are a boy." "I was a boy." "I am an boy.")
sentences2=("She is a girl." "She's a girl." "She am a girl." "She are a girl." "Her is a girl." "She is girl."
    "She is a girls." "she is a girl" "She is a boy." "She is the girl." "She a girl." "Is she a girl?"
    "He is a girl." "She is a nice girl." "She is is a girl." "girl a is She" "She does not like ice cream."
    "She is a girl and I am a boy.")
for template in lesson1 lesson2 lesson1.xvt Gtemplate missing; do
    for s in "${sentences1[@]}" "${sentences2[@]}"; do
        run match "<H1>$template</H1><P>$s</P>"
    done
done
for s in "${sentences1[@]}" "${sentences2[@]}"; do
    run match --explain "<H1>lesson1</H1><P>$s</P>"
    run match --explain "<H1>lesson2</H1><P>$s</P>"
    run match --encoding shift-jis "<H1>lesson1</H1><P>$s</P>"
    run tag "$s"
done
for template in lesson1 lesson2 Gtemplate Global missing; do
    run match "<H1>$template</H1>"
    run match "<H1>$template</H1><P></P>"
    run show "templates/$template.xvt"
done
for filler in "*am/is/are" "*a boy" "*I am a boy"; do
    run match "<H1>$filler</H1><P>I am a boy.</P>"
    run match "<H1>$filler</H1><P>I is a boy.</P>"
done
run match "<H1>0-0-0.xvt</H1><P>I am a boy.</P>"
run match "<H1>0-0-1.xvt</H1><P></P>"
for query in "what is this" "show me lesson1" "" "   " "ListTemplates" "a & b < c"; do
    run match "$query"
done
run match "<H2>notes.txt</H2>"
run match "<H2>quoted.txt</H2>"
run match "<H2>missing.txt</H2>"
run match --encoding shift-jis "<H2>notes.txt</H2>"
for cmd in ListTemplates ShowAllComments ShowCatalog; do
    run match "<DIV><B>$cmd</B></DIV>"
    run match "<H1>lesson1</H1><DIV><B>$cmd</B></DIV>"
    run match "<H1>lesson2</H1><DIV><B>$cmd</B></DIV>"
    run match --encoding shift-jis "<H1>lesson1</H1><DIV><B>$cmd</B></DIV>"
done
for name in "I am a boy" "she is a girl" "missing"; do
    for cmd in ShowTemplate ShowSentences ShowComments; do
        run match "<H1>lesson1</H1><DIV><B>$cmd</B><NAME>$name</NAME></DIV>"
        run match "<H1>lesson2</H1><DIV><B>$cmd</B><NAME>$name</NAME></DIV>"
    done
done
run match "<H1>lesson1</H1><DIV><B>ShowCatalog</B><CAT>lesson1/be</CAT></DIV>"
run match "<H1>lesson1</H1><DIV><B>NoSuchCommand</B></DIV>"
run match "<H1>lesson1</H1><P>unclosed"
run match "<H1>lesson1</H1><P>I am a boy.</P></H1>"
run match "%3CH1%3Elesson1%3C/H1%3E%3CP%3EI%20is%20a%20boy.%3C/P%3E"
run match "<H1>lesson1</H1><P>I am \\\"a\\\" boy.</P>"
run tag ""
run tag "The quick brown fox jumps over the lazy dog."
run --help
run show
echo "$n requests recorded in $out"
if [ -n "$ref" ]; then
    if diff -r "$ref" "$out" >/dev/null; then
        echo "all $n replies equal those in $ref"
    else
        diff -rq "$ref" "$out" | head -20
        echo "replies differ from $ref"
        exit 1
    fi
fi
