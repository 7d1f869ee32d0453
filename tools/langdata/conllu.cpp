#include "tools/langdata/conllu.h"

#include <fstream>
#include <stdexcept>

#include "tools/langdata/tag_map.h"

namespace langdata {
namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        if (tab == std::string::npos) {
            fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

void finish(TreebankSentence& sentence, std::vector<TreebankSentence>& out) {
    if (!sentence.tokens.empty()) {
        resolveGoesWith(sentence);
        out.push_back(std::move(sentence));
    }
    sentence = TreebankSentence{};
}

}  // namespace

std::vector<TreebankSentence> readConllu(std::istream& in, int* malformedLines) {
    std::vector<TreebankSentence> out;
    TreebankSentence current;
    std::string document;
    std::string line;
    int malformed = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) {
            finish(current, out);
            continue;
        }
        if (line[0] == '#') {
            if (startsWith(line, "# newdoc id = "))
                document = line.substr(14);
            else if (startsWith(line, "# sent_id = "))
                current.id = line.substr(12);
            else if (startsWith(line, "# text = "))
                current.text = line.substr(9);
            continue;
        }
        std::vector<std::string> f = splitTabs(line);
        if (f.size() < 10) {
            ++malformed;
            continue;
        }
        current.document = document;
        const std::string& id = f[0];
        if (id.find('.') != std::string::npos) continue;  // empty node
        std::size_t dash = id.find('-');
        if (dash != std::string::npos) {
            SurfaceToken s;
            s.form = f[1];
            s.first = std::atoi(id.substr(0, dash).c_str());
            s.last = std::atoi(id.substr(dash + 1).c_str());
            current.surfaces.push_back(std::move(s));
            continue;
        }
        TreebankToken t;
        t.form = f[1];
        t.upos = f[3];
        t.rawTag = f[4];
        t.tag = mapTag(f[4]);
        t.head = f[6] == "_" ? 0 : std::atoi(f[6].c_str());
        std::size_t colon = f[7].find(':');
        t.deprel = colon == std::string::npos ? f[7] : f[7].substr(0, colon);
        t.spaceAfter = f[9].find("SpaceAfter=No") == std::string::npos;
        current.tokens.push_back(std::move(t));
    }
    finish(current, out);
    if (malformedLines) *malformedLines = malformed;
    return out;
}

std::vector<TreebankSentence> readConlluFile(const std::string& path, int* malformedLines) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    return readConllu(in, malformedLines);
}

}  // namespace langdata
