#include "engine/templates/template_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "engine/config/config_files.h"
#include "engine/language/analyzer.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/word_chain.h"
#include "engine/templates/xml_parser.h"
#include "engine/text/converter.h"
#include "engine/text/escaping.h"

namespace zintra {

using namespace xercesc;

namespace {

// Builds one file; holds what every part of the build shares.
class Builder {
  public:
    Builder(TemplateFile& file, const Analyzer& analyzer)
        : file_(file), analyzer_(analyzer), converter_(analyzer.config().encode) {}

    void build(const DOMElement* root) {
        readSamples(firstChildNamed(root, u"SAMP"));
        readComments(firstChildNamed(root, u"category"));
        readTemplates(firstChildNamed(root, u"Template"));
    }

  private:
    std::string text(const DOMNode* element) { return elementText(element, converter_); }

    void readSamples(const DOMElement* samp) {
        forEachDescendantNamed(samp, u"P", [&](const DOMElement* p) {
            int32_t id = leadingNumber(attributeText(p, u"ID", converter_));
            file_.samples[id] = escaped(text(p));
        });
    }

    void readComments(const DOMElement* category) {
        forEachDescendantNamed(category, u"comment", [&](const DOMElement* element) {
            Comment comment;
            comment.number = leadingNumber(attributeText(element, u"ID", converter_));
            forEachDescendantNamed(element, u"sentenceID",
                                   [&](const DOMElement* id) { comment.sentenceIds.push_back(escaped(text(id))); });
            comment.english = escaped(childText(element, u"econtent", converter_));
            comment.japanese = escaped(childText(element, u"jcontent", converter_));
            file_.comments[comment.number] = std::move(comment);
        });
    }

    struct Pending {
        const DOMElement* element;
        Template* tmpl;
        std::vector<const DOMElement*> nodeElements;
    };

    void readTemplates(const DOMElement* templates) {
        // All templates first, so that Phrase fillers may name templates that
        // come later in the file.
        std::vector<Pending> pending;
        forEachDescendantNamed(templates, u"template", [&](const DOMElement* element) {
            auto tmpl = std::make_unique<Template>();
            tmpl->kind = asView(element->getAttribute(u"sub")) == u"0" ? TemplateKind::Main : TemplateKind::Sub;
            tmpl->tag = attributeText(element, u"Tag", converter_);
            tmpl->name = childText(element, u"name", converter_);
            if (const DOMElement* sample = firstChildNamed(element, u"sample")) {
                tmpl->hasSample = true;
                tmpl->sample = escaped(text(sample));
            }
            pending.push_back({element, tmpl.get(), {}});
            auto& list = tmpl->kind == TemplateKind::Main ? file_.mainTemplates : file_.subTemplates;
            list.push_back(std::move(tmpl));
        });
        for (Pending& p : pending) readNodes(p);
        for (Pending& p : pending) {
            for (size_t i = 0; i < p.nodeElements.size(); ++i)
                readFillers(p.nodeElements[i], *p.tmpl->nodes[i], p.tmpl);
        }
    }

    void readNodes(Pending& p) {
        Template& tmpl = *p.tmpl;
        forEachDescendantNamed(p.element, u"node", [&](const DOMElement* element) {
            auto node = std::make_unique<Node>();
            node->name = childText(element, u"name", converter_);
            node->tag = attributeText(element, u"Tag", converter_);
            node->variable = attributeText(element, u"var", converter_);
            tmpl.nodes.push_back(std::move(node));
            p.nodeElements.push_back(element);
        });
        for (size_t i = 0; i < p.nodeElements.size(); ++i) {
            forEachDescendantNamed(p.nodeElements[i], u"Next", [&](const DOMElement* next) {
                std::string target = text(next);
                for (auto& candidate : tmpl.nodes) {
                    if (candidate->name == target) {
                        tmpl.nodes[i]->successors.push_back(candidate.get());
                        ++candidate->predecessorCount;
                        break;
                    }
                }
            });
        }
        for (auto& node : tmpl.nodes) {
            if (node->predecessorCount == 0) tmpl.startNodes.push_back(node.get());
        }
    }

    void readFillers(const DOMElement* element, Node& node, const Template* holder) {
        forEachDescendantNamed(element, u"Group", [&](const DOMElement* group) {
            Filler filler;
            filler.kind = fillerKindFromType(attributeText(group, u"type", converter_));
            filler.text = childText(group, u"name", converter_);
            filler.tag = attributeText(group, u"Tag", converter_);
            forEachDescendantNamed(group, u"commentID", [&](const DOMElement* cite) {
                int32_t number = 0;
                if (parseCommentCitation(text(cite), number)) filler.comments.push_back(number);
            });
            buildWordChain(filler, file_, analyzer_);
            node.fillers.push_back(std::move(filler));
        });
        forEachDescendantNamed(element, u"Phrase", [&](const DOMElement* phrase) {
            std::string reference = text(phrase);
            std::string_view name = reference;
            const TemplateFile* searched = &file_;
            if (name.substr(0, 2) == "//") {
                name.remove_prefix(2);
                if (file_.baseFile) searched = file_.baseFile.get();
            }
            const Template* target = findTemplateByName(*searched, name, holder);
            if (!target) return;  // a Phrase that names no template is ignored
            Filler filler;
            filler.phrase = target;
            filler.reference = std::move(reference);
            node.fillers.push_back(std::move(filler));
        });
    }

    TemplateFile& file_;
    const Analyzer& analyzer_;
    Converter converter_;
};

bool isWalkedPart(const DOMNode* node) {
    return isElementNamed(node, u"Group") || isElementNamed(node, u"node") || isElementNamed(node, u"template");
}

}  // namespace

int nestedParts(const DOMNode* top, int limit) {
    if (!top) return 0;
    int deepest = 0;
    int open = 0;  // template, node and Group elements on the path from top to node
    const DOMNode* node = top;
    auto enter = [&](const DOMNode* entered) {
        node = entered;
        if (isWalkedPart(node)) deepest = std::max(deepest, ++open);
    };
    while (deepest <= limit) {
        if (const DOMNode* child = node->getFirstChild()) {
            enter(child);
            continue;
        }
        // Leave the node, and its ancestors without a further sibling.
        while (true) {
            if (node == top) return deepest;
            if (isWalkedPart(node)) --open;
            if (const DOMNode* sibling = node->getNextSibling()) {
                enter(sibling);
                break;
            }
            node = node->getParentNode();
        }
    }
    return deepest;
}

FillerKind fillerKindFromType(std::string_view type) {
    if (type == "wrong") return FillerKind::Wrong;
    if (type == "normal") return FillerKind::Normal;
    return FillerKind::Correct;
}

bool parseCommentCitation(std::string_view text, int32_t& number) {
    if (text.empty()) return false;
    number = leadingNumber(text.substr(1));
    if (text.front() == 'G') {
        number = std::min(number, std::numeric_limits<int32_t>::max() - kGlobalCommentOffset) + kGlobalCommentOffset;
    }
    return true;
}

const Template* findTemplateByName(const TemplateFile& file, std::string_view name, const Template* skip) {
    for (const auto* list : {&file.subTemplates, &file.mainTemplates}) {
        for (const auto& t : *list) {
            if (t.get() != skip && t->name == name) return t.get();
        }
    }
    return nullptr;
}

std::unique_ptr<TemplateFile> buildTemplateFile(const DOMElement* root, std::shared_ptr<const TemplateFile> base,
                                                const Analyzer& analyzer) {
    auto file = std::make_unique<TemplateFile>();
    file->baseFile = std::move(base);
    if (root) Builder(*file, analyzer).build(root);
    return file;
}

std::shared_ptr<TemplateFile> buildSingleFillerFile(std::string_view fillerText, const Analyzer& analyzer) {
    auto file = std::make_shared<TemplateFile>();
    auto tmpl = std::make_unique<Template>();
    tmpl->kind = TemplateKind::Main;
    auto node = std::make_unique<Node>();
    Filler filler;
    filler.kind = FillerKind::Correct;
    filler.text = std::string(fillerText);
    buildWordChain(filler, *file, analyzer);
    node->fillers.push_back(std::move(filler));
    tmpl->startNodes.push_back(node.get());
    tmpl->nodes.push_back(std::move(node));
    file->mainTemplates.push_back(std::move(tmpl));
    return file;
}

std::string describeTemplateReadError(const std::string& path, const TemplateReadError& error) {
    std::string text = path + ": ";
    switch (error.reason) {
        case TemplateReadError::Reason::None: return text + "read";
        case TemplateReadError::Reason::NotFound: {
            FileProblem problem = fileProblem(path);
            if (problem == FileProblem::NotFound) {
                std::error_code ec;
                std::filesystem::path absolute = std::filesystem::absolute(path, ec);
                return text + "not found at " + (ec ? path : absolute.lexically_normal().string());
            }
            if (problem == FileProblem::Folder) return text + "is a folder, not a template file";
            return text + "cannot be read";
        }
        case TemplateReadError::Reason::NoRoot: return text + "no root element (the document element must be root)";
        case TemplateReadError::Reason::NotWellFormed:
            text += "not well-formed XML";
            if (error.line > 0)
                text += " at line " + std::to_string(error.line) + ", column " + std::to_string(error.column);
            if (!error.message.empty()) text += ": " + error.message;
            return text;
    }
    return text;
}

std::shared_ptr<TemplateFile> readTemplateFile(const std::string& path, std::shared_ptr<const TemplateFile> base,
                                               const Analyzer& analyzer, TemplateReadError* error) {
    TemplateReadError ignored;
    TemplateReadError& why = error ? *error : ignored;
    why = {};
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec) || !std::ifstream(path, std::ios::binary)) {
        why.reason = TemplateReadError::Reason::NotFound;
        return nullptr;
    }
    std::unique_ptr<XmlDocument> doc = XmlDocument::fromFile(path);
    if (!doc->ok()) {
        why.reason = TemplateReadError::Reason::NotWellFormed;
        why.message = doc->error();
        why.line = doc->errorLine();
        why.column = doc->errorColumn();
        return nullptr;
    }
    const DOMDocument* document = doc->document();
    const DOMElement* root = document ? document->getDocumentElement() : nullptr;
    if (!isElementNamed(root, u"root")) {
        why.reason = TemplateReadError::Reason::NoRoot;
        return nullptr;
    }
    // Nodes, Groups and commentIDs count wherever they lie below their
    // parents, so each template, node or Group nested in another of its kind
    // is walked again for every one around it: a limit on that nesting keeps
    // reading linear in the file's size.
    if (nestedParts(root, kMaxTemplateNesting) > kMaxTemplateNesting) {
        why.reason = TemplateReadError::Reason::NotWellFormed;
        why.message = "templates, nodes and Groups nest more than " + std::to_string(kMaxTemplateNesting) + " deep";
        return nullptr;
    }
    try {
        std::shared_ptr<TemplateFile> file = buildTemplateFile(root, std::move(base), analyzer);
        file->path = path;
        return file;
    } catch (...) {
        // The DOM throws on misuse; a file that makes it throw is not loadable.
        why.reason = TemplateReadError::Reason::NotWellFormed;
        why.message = "the template file could not be read";
        return nullptr;
    }
}

}  // namespace zintra
