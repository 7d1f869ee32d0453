#include "sample_treebank.h"

#include <fstream>
#include <random>
#include <sstream>

namespace langdata::test {

std::string conlluSentence(const std::string& id, const std::string& tagged) {
    std::istringstream in(tagged);
    std::string item;
    std::ostringstream out;
    std::ostringstream text;
    std::vector<std::string> rows;
    int n = 0;
    while (in >> item) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        // the word may itself hold a slash only when it is "/" alone
        if (item.rfind("//", 0) == 0) {
            parts.push_back("/");
            start = 2;
        }
        while (start <= item.size()) {
            std::size_t slash = item.find('/', start);
            if (slash == std::string::npos) slash = item.size();
            parts.push_back(item.substr(start, slash - start));
            start = slash + 1;
        }
        if (parts.size() < 2) continue;
        ++n;
        const std::string head = parts.size() > 2 ? parts[2] : "0";
        const std::string rel = parts.size() > 3 ? parts[3] : "dep";
        text << (n > 1 ? " " : "") << parts[0];
        rows.push_back(std::to_string(n) + "\t" + parts[0] + "\t_\tX\t" + parts[1] + "\t_\t" + head + "\t" + rel +
                       "\t_\t_");
    }
    out << "# sent_id = " << id << "\n# text = " << text.str() << "\n";
    for (const std::string& r : rows) out << r << "\n";
    out << "\n";
    return out.str();
}

ScratchDir::ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("langdata-test-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchDir::write(const std::string& name, const std::string& text) const { std::ofstream(path_ / name) << text; }

std::string ScratchDir::read(const std::string& name) const {
    std::ifstream in(path_ / name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace langdata::test
