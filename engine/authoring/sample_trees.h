// The phrase trees of template samples, as the batch checks print them: the
// sample is tagged with the analyser's data and analysed with the phrase
// grammar that GRAMMAR_FILE names (read once, with the configured word
// lists). Without a grammar every tree is "<div></div>\n".
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zintra {

class Analyzer;

// Appends the HTML phrase tree of a sentence ("<!-- " bracket " -->\n" and
// the HTML form when the sentence gets a tree).
using TreeWriter = std::function<void(std::string& out, std::string_view sentence)>;

class SampleTrees {
  public:
    // Reads the grammar file named by the analyser's configuration (none
    // when the name is empty or the file does not build).
    explicit SampleTrees(const Analyzer& analyzer);
    ~SampleTrees();
    SampleTrees(const SampleTrees&) = delete;
    SampleTrees& operator=(const SampleTrees&) = delete;

    bool hasGrammar() const;
    void write(std::string& out, std::string_view sentence) const;
    TreeWriter writer() const {
        return [this](std::string& out, std::string_view s) { write(out, s); };
    }

  private:
    struct Parts;
    const Analyzer& analyzer_;
    std::unique_ptr<Parts> parts_;
};

}  // namespace zintra
