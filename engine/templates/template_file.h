// A template file in memory: the exercise's sample sentences, its comments and
// its templates (graphs of nodes whose fillers are word sequences or other
// templates). Immutable once read; shared by every request that uses it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/templates/match_graph_slot.h"

namespace zintra {

class XmlDocument;
struct Template;

// How a filler is marked.
enum class FillerKind : int32_t { Wrong = 0, Correct = 1, Normal = 3 };

// Comment numbers of the folder's global file are stored with this added.
inline constexpr int32_t kGlobalCommentOffset = 10000;

// One comment: the explanation shown to the learner.
struct Comment {
    int32_t number = 0;
    std::vector<std::string> sentenceIds;  // sample numbers, escaped text
    std::string english;                   // escaped; empty when absent
    std::string japanese;                  // escaped; empty when absent
};

// One word of a multi-word filler, linked to the next word of the filler.
struct WordNode {
    FillerKind kind = FillerKind::Correct;
    std::vector<int32_t> comments;  // the filler's cited comments
    std::string word;
    const WordNode* next = nullptr;
};

// One filler of a node: a word sequence (Group) or a reference to another
// template (Phrase).
struct Filler {
    FillerKind kind = FillerKind::Correct;
    std::vector<int32_t> comments;     // cited comment numbers (global ones + 10,000)
    const WordNode* chain = nullptr;   // first word; null for a one-word filler
    std::string text;                  // the Group's filler text, unescaped
    std::string tag;                   // empty when absent
    const Template* phrase = nullptr;  // the referenced template of a Phrase filler
    std::string reference;             // a Phrase filler's text as written ("//" kept)
    bool isPhrase() const { return phrase != nullptr; }
};

// One slot of a template.
struct Node {
    std::string name;
    std::string tag;
    // The query variable ("$" and a name) the node's matched words bind;
    // empty for a node of an ordinary template.
    std::string variable;
    std::vector<const Node*> successors;  // in the order of its Next elements
    int predecessorCount = 0;
    std::vector<Filler> fillers;  // Groups in document order, then Phrases
};

enum class TemplateKind { Main, Sub };

struct Template {
    TemplateKind kind = TemplateKind::Sub;
    std::string name;
    std::string tag;
    bool hasSample = false;
    std::string sample;  // escaped
    // Nodes in document order. Each node is allocated on its own so that
    // successor pointers stay valid.
    std::vector<std::unique_ptr<Node>> nodes;
    std::vector<const Node*> startNodes;  // nodes that no Next names
};

class TemplateFile {
  public:
    TemplateFile() = default;
    ~TemplateFile();
    TemplateFile(const TemplateFile&) = delete;
    TemplateFile& operator=(const TemplateFile&) = delete;

    std::string path;
    std::map<int32_t, std::string> samples;  // number -> escaped sample text
    std::map<int32_t, Comment> comments;     // number -> comment
    std::vector<std::unique_ptr<Template>> mainTemplates;
    std::vector<std::unique_ptr<Template>> subTemplates;
    // Storage for the word chains of the fillers.
    std::vector<std::unique_ptr<WordNode>> wordNodes;
    // The base template file this one was read with; Phrase fillers that
    // begin with "//" point into its templates, so it lives as long as this.
    std::shared_ptr<const TemplateFile> baseFile;
    // The graphs of expected words that sentences are matched with, built on
    // the first match against this file.
    MatchGraphSlot matchGraphs;

    const std::string* sample(int32_t number) const;
    // A comment of this file; numbers of 10,000 and more are looked up, less
    // 10,000, in the global file when one is given.
    const Comment* comment(int32_t number, const TemplateFile* global = nullptr) const;
};

}  // namespace zintra
