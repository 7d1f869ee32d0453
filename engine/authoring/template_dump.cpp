#include "engine/authoring/template_dump.h"

#include <filesystem>
#include <map>

#include "engine/templates/template_file.h"
#include "engine/templates/template_naming.h"
#include "engine/templates/template_reader.h"
#include "engine/templates/template_store.h"

namespace zintra {

namespace {

const char* kindName(FillerKind kind) {
    switch (kind) {
        case FillerKind::Wrong: return "wrong";
        case FillerKind::Normal: return "normal";
        case FillerKind::Correct: break;
    }
    return "correct";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The origin of a referenced template: this file or the base file.
std::string templateOrigin(const TemplateFile& file, const Template* t) {
    for (const auto* list : {&file.mainTemplates, &file.subTemplates}) {
        for (const auto& own : *list) {
            if (own.get() == t) return "";
        }
    }
    return " of " + std::string(TemplateStore::kBaseFileName);
}

void dumpCitations(std::ostream& out, const std::vector<int32_t>& numbers, const TemplateFile& file,
                   const TemplateFile* global) {
    if (numbers.empty()) return;
    out << "        comments:";
    for (int32_t n : numbers) {
        if (n >= kGlobalCommentOffset) {
            const Comment* c = file.comment(n, global);
            out << " G" << (n - kGlobalCommentOffset)
                << (c        ? ""
                    : global ? " (missing in Global.xvt)"
                             : " (no Global.xvt)");
        } else {
            out << " " << n << (file.comment(n) ? "" : " (missing)");
        }
    }
    out << "\n";
}

void dumpFiller(std::ostream& out, const Filler& f, const TemplateFile& file, const TemplateFile* global) {
    if (f.isPhrase()) {
        out << "      phrase " << quoted(f.reference) << " -> "
            << (f.phrase->kind == TemplateKind::Main ? "main" : "sub") << " template " << quoted(f.phrase->name)
            << templateOrigin(file, f.phrase) << "\n";
        return;
    }
    out << "      " << kindName(f.kind) << " " << quoted(f.text);
    if (!f.tag.empty()) out << " tag " << f.tag;
    out << "\n";
    if (f.chain) {
        out << "        words:";
        for (const WordNode* w = f.chain; w; w = w->next) out << " [" << w->word << "]";
        out << "\n";
    }
    dumpCitations(out, f.comments, file, global);
}

void dumpTemplate(std::ostream& out, const Template& t, const TemplateFile& file, const TemplateFile* global) {
    out << (t.kind == TemplateKind::Main ? "main" : "sub") << " template " << quoted(t.name);
    if (!t.tag.empty()) out << " tag " << t.tag;
    out << "\n";
    if (t.hasSample) out << "  sample: " << t.sample << "\n";
    out << "  start nodes:";
    for (const Node* n : t.startNodes) out << " " << quoted(n->name);
    out << "\n";
    for (const auto& node : t.nodes) {
        out << "    node " << quoted(node->name);
        if (!node->tag.empty()) out << " tag " << node->tag;
        if (!node->variable.empty()) out << " binds " << node->variable;
        out << " (" << node->predecessorCount << " before)";
        if (node->successors.empty()) {
            out << " -> end\n";
        } else {
            out << " ->";
            for (const Node* next : node->successors) out << " " << quoted(next->name);
            out << "\n";
        }
        for (const Filler& f : node->fillers) dumpFiller(out, f, file, global);
    }
}

}  // namespace

void dumpTemplateFile(std::ostream& out, const TemplateFile& file, const TemplateFile* global) {
    out << "samples: " << file.samples.size() << "\n";
    for (const auto& [number, text] : file.samples) out << "  " << number << ": " << text << "\n";
    out << "comments: " << file.comments.size() << "\n";
    for (const auto& [number, c] : file.comments) {
        out << "  " << number << ":";
        if (!c.sentenceIds.empty()) {
            out << " (samples";
            for (const std::string& id : c.sentenceIds) out << " " << id;
            out << ")";
        }
        out << "\n    en: " << c.english << "\n    ja: " << c.japanese << "\n";
    }
    out << "templates: " << file.mainTemplates.size() << " main, " << file.subTemplates.size() << " sub\n";
    for (const auto* list : {&file.mainTemplates, &file.subTemplates}) {
        for (const auto& t : *list) dumpTemplate(out, *t, file, global);
    }
}

int showTemplateFile(const std::string& path, const Analyzer& analyzer, std::ostream& out, std::ostream& err) {
    std::string folder(folderOf(path));
    std::string basePath = folder + TemplateStore::kBaseFileName;
    std::string globalPath = folder + TemplateStore::kGlobalFileName;
    std::error_code ec;
    auto same = [&](const std::string& other) { return std::filesystem::equivalent(path, other, ec); };

    std::shared_ptr<const TemplateFile> base;
    if (!same(basePath)) base = readTemplateFile(basePath, nullptr, analyzer);
    TemplateReadError error;
    std::shared_ptr<const TemplateFile> file = readTemplateFile(path, base, analyzer, &error);
    if (!file) {
        err << "zintra: cannot read " << describeTemplateReadError(path, error) << "\n";
        return 1;
    }
    std::shared_ptr<const TemplateFile> global =
        same(globalPath) ? file : readTemplateFile(globalPath, nullptr, analyzer);
    out << "file: " << path << "\n";
    out << "base file: " << (base ? basePath : "none") << "\n";
    out << "global file: " << (global ? globalPath : "none") << "\n";
    dumpTemplateFile(out, *file, global.get());
    return 0;
}

}  // namespace zintra
