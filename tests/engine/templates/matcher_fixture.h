// Template files built by hand for the matcher's tests, and an analyser over a
// small lexicon with the default installation's symbol settings.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/report_item.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_file.h"
#include "test_support.h"

namespace zintra::test {

// One filler as a test writes it.
struct F {
    std::string text;
    FillerKind kind = FillerKind::Correct;
    std::vector<int32_t> comments = {};
};

// Builds a TemplateFile in memory, as the reader would leave it.
class FileBuilder {
  public:
    FileBuilder() : file_(std::make_shared<TemplateFile>()) {}

    // A template whose nodes follow one another, one node per list of fillers.
    Template& chain(const std::string& name, std::initializer_list<std::vector<F>> nodes,
                    TemplateKind kind = TemplateKind::Main) {
        Template& t = add(name, kind);
        Node* previous = nullptr;
        int n = 0;
        for (const std::vector<F>& fillers : nodes) {
            std::string nodeName = name;
            nodeName += '.';
            nodeName += std::to_string(n++);
            Node& node = this->node(t, nodeName, fillers);
            if (previous) link(*previous, node);
            previous = &node;
        }
        finish(t);
        return t;
    }

    Template& add(const std::string& name, TemplateKind kind = TemplateKind::Main) {
        auto t = std::make_unique<Template>();
        t->kind = kind;
        t->name = name;
        auto& list = kind == TemplateKind::Main ? file_->mainTemplates : file_->subTemplates;
        list.push_back(std::move(t));
        return *list.back();
    }

    Node& node(Template& t, const std::string& name, const std::vector<F>& fillers) {
        auto node = std::make_unique<Node>();
        node->name = name;
        for (const F& f : fillers) node->fillers.push_back(filler(f));
        t.nodes.push_back(std::move(node));
        return *t.nodes.back();
    }

    // A Phrase filler naming another template.
    void phrase(Node& node, const Template& target) {
        Filler f;
        f.phrase = &target;
        f.reference = target.name;
        node.fillers.push_back(std::move(f));
    }

    static void link(Node& from, Node& to) {
        from.successors.push_back(&to);
        ++to.predecessorCount;
    }

    // Sets the start nodes (those without predecessors).
    static void finish(Template& t) {
        t.startNodes.clear();
        for (const auto& node : t.nodes)
            if (node->predecessorCount == 0) t.startNodes.push_back(node.get());
    }

    void comment(int32_t number, const std::string& english, const std::string& japanese = "",
                 std::vector<std::string> sentenceIds = {}) {
        Comment c;
        c.number = number;
        c.english = english;
        c.japanese = japanese;
        c.sentenceIds = std::move(sentenceIds);
        file_->comments[number] = c;
    }
    void sample(int32_t number, const std::string& text) { file_->samples[number] = text; }

    std::shared_ptr<TemplateFile> file() const { return file_; }
    TemplateFile& operator*() const { return *file_; }

  private:
    Filler filler(const F& f) {
        Filler out;
        out.kind = f.kind;
        out.comments = f.comments;
        out.text = f.text;
        // Words separated by blanks; one word needs no chain.
        std::vector<std::string> words;
        size_t at = 0;
        while (at < f.text.size()) {
            size_t end = f.text.find(' ', at);
            if (end == std::string::npos) end = f.text.size();
            if (end > at) words.push_back(f.text.substr(at, end - at));
            at = end + 1;
        }
        if (words.size() > 1) {
            const WordNode* next = nullptr;
            for (size_t i = words.size(); i-- > 0;) {
                auto node = std::make_unique<WordNode>();
                node->kind = f.kind;
                node->comments = f.comments;
                node->word = words[i];
                node->next = next;
                next = node.get();
                file_->wordNodes.push_back(std::move(node));
            }
            out.chain = next;
        }
        return out;
    }

    std::shared_ptr<TemplateFile> file_;
};

// An analyser over a small lexicon, with the default installation's symbols.
class MatcherFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string lexicon = dir.write("lexicon.txt",
                                        "I PRP\nlike VBP\napples NNS\noranges NNS\nam VBP\na DT\nboy NN\nthe DT\n"
                                        "he PRP\nwent VBD\nto TO\nschool NN\nyesterday NN\nis VBZ\nthis DT\n"
                                        "pen NN\nbook NN\nred JJ\nbig JJ\nlot NN\nof IN\npeople NNS\nhave VBP\n"
                                        "Tokyo NNP\nvery RB\nmuch RB\netc. FW\n. .\n? .\n! .\n");
        std::string lexical = dir.write("lexical.txt", "NN s fhassuf 1 NNS x\n");
        std::string bigrams = dir.write("bigrams.txt", "the boy\n");
        std::string compounds = dir.write("compounds.txt", "ice cream/NN\n");
        std::string contextual = dir.write("contextual.txt", "VB NN PREVTAG DT\n");
        std::string config = dir.write(
            "zintra.ini", "DICTIONARY_FILE " + lexicon + "\nLEXICALRULEFILE " + lexical + "\nBIGRAMS " + bigrams +
                              "\nCOMPOUND_FILE " + compounds + "\nCONTEXTUALRULEFILE " + contextual +
                              "\nTN_SYMBOL ,;:!?\"()[]{}\nDEL_TAIL_SYMBOL .?!\nDEL_TAIL_STRING \"...\"\n"
                              "SPECIAL_TAIL \"n't\" \"'s\"\nSPERATE_FLAG 1\n");
        ASSERT_TRUE(analyzer.load(config, Analyzer::Scope::Tagging));
    }

    // Matches sentence against file (global: the same file unless given).
    std::unique_ptr<SentenceMatcher> match(const std::string& sentence, const FileBuilder& file,
                                           const FileBuilder* global = nullptr) {
        auto matcher = std::make_unique<SentenceMatcher>(analyzer);
        int result = matcher->match(sentence, file.file().get(), global ? global->file().get() : file.file().get());
        EXPECT_EQ(result, 0) << sentence;
        return matcher;
    }

    // The items as "word/expected:flags" separated by blanks, for compact checks.
    static std::string summary(const SentenceMatcher& m) {
        std::string out;
        for (const ReportItem& item : m.items()) {
            if (!out.empty()) out += ' ';
            out += item.word;
            out += '/';
            out += item.expected ? item.expected->word : std::string_view("-");
            out += ':';
            out += std::to_string(item.flags);
        }
        return out;
    }

    TempDir dir;
    Analyzer analyzer;
};

}  // namespace zintra::test
