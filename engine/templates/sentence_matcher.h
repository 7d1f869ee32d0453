// Matches a learner's sentence against the main templates of a template file
// and writes the report of the best one.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

class Analyzer;
class TemplateFile;
struct Template;

class SentenceMatcher {
public:
    explicit SentenceMatcher(const Analyzer& analyzer);
    ~SentenceMatcher();
    SentenceMatcher(const SentenceMatcher&) = delete;
    SentenceMatcher& operator=(const SentenceMatcher&) = delete;

    // 0 when the sentence was aligned with the file's templates; -1 when the
    // file or the global file is missing or the sentence is empty.
    int match(std::string_view sentence, const TemplateFile* file, const TemplateFile* global);

    // After a successful match: the report markup and the chosen template.
    std::string report() const;
    const Template* chosenTemplate() const;

private:
    const Analyzer& analyzer_;
};

}  // namespace zintra
