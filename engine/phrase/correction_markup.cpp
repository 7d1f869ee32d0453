#include "engine/phrase/correction_markup.h"

#include "engine/text/escaping.h"

namespace zintra {

namespace {

void strike(std::string& out, CorrectionAnnotation& annotation) {
    out += "<STRIKE>";
    appendEscaped(out, annotation.text);
    out += "</STRIKE>";
    annotation.used = true;
}

}  // namespace

void appendCorrectedWord(std::string& out, std::string_view word, CorrectionAnnotation* own) {
    if (own) {
        CorrectionAnnotation* first = own;
        while (first->prev) first = first->prev;
        for (CorrectionAnnotation* a = first; a != own; a = a->next)
            if (!a->used) strike(out, *a);
    }
    out += "<P><B>";
    appendEscaped(out, word);
    out += "</B>";
    bool strikeFollowing = false;
    if (own) {
        if (own->text != word) {
            out += "<FONT>";
            appendEscaped(out, own->text);
            out += "</FONT>";
        }
        strikeFollowing = own->used;
        own->used = true;
    }
    out += "</P>";
    if (strikeFollowing)
        for (CorrectionAnnotation* a = own->next; a; a = a->next)
            if (!a->used) strike(out, *a);
}

}  // namespace zintra
