#include "engine/templates/sentence_matcher.h"

namespace zintra {

// The alignment is not built yet: no match runs, and callers answer as for a
// file that could not be matched.
SentenceMatcher::SentenceMatcher(const Analyzer& analyzer) : analyzer_(analyzer) {}
SentenceMatcher::~SentenceMatcher() = default;

int SentenceMatcher::match(std::string_view, const TemplateFile*, const TemplateFile*) { return -1; }
std::string SentenceMatcher::report() const { return {}; }
const Template* SentenceMatcher::chosenTemplate() const { return nullptr; }

}  // namespace zintra
