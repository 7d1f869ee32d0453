#include "engine/authoring/sample_checks.h"

#include <cstdio>

#include "engine/authoring/file_set.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_file.h"
#include "engine/text/escaping.h"

namespace zintra {

namespace {

using FilePtr = TemplateStore::FilePtr;

struct LoadedFile {
    FilePtr global;
    FilePtr file;
};

// The global file and the template file of path, each through the store;
// both null when either cannot be loaded.
LoadedFile load(const std::string& path, TemplateStore& store, const Analyzer& analyzer) {
    FilePtr global = store.globalFile(path, analyzer);
    FilePtr base = store.baseFile(path, analyzer);
    FilePtr file = store.get(path, base, analyzer);
    if (!global || !file) return {};
    return {global, file};
}

using FileHandle = std::unique_ptr<FILE, int (*)(FILE*)>;

std::string_view firstLine(std::string_view text) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// The page is kept in memory and written out in pieces of more than 100 KiB.
class PageBuffer {
  public:
    static constexpr size_t kFlushAbove = 102400;
    explicit PageBuffer(FILE* out) : out_(out) {}
    std::string& text() { return text_; }
    void flushIfFull() {
        if (text_.size() > kFlushAbove) flush();
    }
    void flush() {
        if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), out_) != text_.size()) ok_ = false;
        text_.clear();
    }
    bool ok() const { return ok_; }

  private:
    FILE* out_;
    std::string text_;
    bool ok_ = true;
};

}  // namespace

std::string unescapedSample(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored.compare(i, 4, "&lt;") == 0) {
            out += '<';
            i += 3;
        } else if (stored.compare(i, 5, "&amp;") == 0) {
            out += '&';
            i += 4;
        } else {
            out += stored[i];
        }
    }
    return out;
}

std::vector<SampleFailure> failingSamples(std::string_view path, int depth, TemplateStore& store,
                                          const Analyzer& analyzer, const TreeWriter& tree, bool all) {
    std::vector<SampleFailure> failures;
    for (const std::string& filePath : collectFiles(path, depth)) {
        LoadedFile loaded = load(filePath, store, analyzer);
        if (!loaded.file) continue;
        for (const auto& tmpl : loaded.file->mainTemplates) {
            if (!tmpl->hasSample) continue;
            std::string sample = unescapedSample(tmpl->sample);
            SentenceMatcher matcher(analyzer);
            if (matcher.match(sample, loaded.file.get(), loaded.global.get()) != 0) continue;
            SampleFailure f;
            matcher.appendReport(f.output);
            f.output += "<div><P>";
            appendEscaped(f.output, filePath);
            f.output += "</P><P>";
            if (const Template* chosen = matcher.chosenTemplate()) appendEscaped(f.output, chosen->name);
            f.output += "</P></div><div></div>\n";
            size_t treeStart = f.output.size();
            tree(f.output, sample);
            f.treeFailed = f.output.compare(treeStart, 2, "<!") != 0;
            f.errorsFound = !matcher.freeOfErrors();
            if (!f.treeFailed && !f.errorsFound) continue;
            f.path = filePath;
            f.file = loaded.file;
            f.global = loaded.global;
            f.templateName = tmpl->name;
            f.sample = std::move(sample);
            failures.push_back(std::move(f));
            if (!all) return failures;
        }
    }
    return failures;
}

std::vector<std::string> readReferenceTrees(const std::string& referenceFile) {
    std::vector<std::string> trees;
    FileHandle in(std::fopen(referenceFile.c_str(), "r"), std::fclose);
    if (!in) return trees;
    std::vector<char> buffer(15360);
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), in.get())) {
        std::string_view line(buffer.data());
        // The length is taken without the line end, so a bare "<!--" is no tree.
        if (firstLine(line).size() > 4 && line.compare(0, 4, "<!--") == 0) trees.emplace_back(line);
    }
    return trees;
}

bool writeSampleTreePage(std::string_view path, const std::string& referenceFile, const std::string& outputFile,
                         int depth, TemplateStore& store, const Analyzer& analyzer, const TreeWriter& tree) {
    std::vector<std::string> files = collectFiles(path, depth);
    std::vector<std::string> references = readReferenceTrees(referenceFile);
    FileHandle out(std::fopen(outputFile.c_str(), "wb"), std::fclose);
    if (!out) return false;
    PageBuffer page(out.get());
    page.text() +=
        "<HTML>\n<HEAD>\n<meta http-equiv='content-type' content='text/html; charset=UTF-8'>\n<style>\n"
        ".dot{position:absolute;font-size:1;font-family:simsun}\n</style>\n</HEAD>\n<BODY>\n"
        "<div ID='treeView'></div>\n<div ID='content' style=display:none>\n";
    size_t nextReference = 0;
    for (const std::string& filePath : files) {
        LoadedFile loaded = load(filePath, store, analyzer);
        if (!loaded.file) continue;
        std::string& text = page.text();
        text += "<I>";
        appendEscaped(text, filePath);
        text += "</I>\n";
        for (const auto& tmpl : loaded.file->mainTemplates) {
            if (!tmpl->hasSample) continue;
            std::string sample = unescapedSample(tmpl->sample);
            SentenceMatcher matcher(analyzer);
            if (matcher.match(sample, loaded.file.get(), loaded.global.get()) != 0) continue;
            std::string output;
            tree(output, sample);
            page.text() += output;
            std::string_view first = firstLine(output);
            // A reference is used up by every sample, in order; once they run
            // out there is nothing to compare with.
            if (first.compare(0, 4, "<!--") != 0) {
                page.text() += "<U>";
                appendEscaped(page.text(), output);
                page.text() += "</U>\n";
            } else if (nextReference < references.size()) {
                std::string_view reference = firstLine(references[nextReference]);
                if (reference != first) {
                    page.text() += "<U>";
                    appendEscaped(page.text(), reference);
                    page.text() += "</U>\n";
                }
            }
            if (nextReference < references.size()) ++nextReference;
            page.flushIfFull();
        }
    }
    page.text() += "</div>\n</BODY>\n<script LANGUAGE='JavaScript1.3' src='parse.js'></script>\n</HTML>\n";
    page.flush();
    return page.ok() && std::fflush(out.get()) == 0;
}

}  // namespace zintra
