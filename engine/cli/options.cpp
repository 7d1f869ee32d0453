#include <iostream>

#include "engine/cli/command.h"
#include "engine/config/config.h"

namespace zintra::cli {

bool parseOptions(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) {
                std::cerr << "zintra: " << a << " needs a value\n";
                return false;
            }
            target = args[++i];
            return true;
        };
        if (a == "--config") {
            if (!value(options.config)) return false;
        } else if (a == "--encoding") {
            if (!value(options.encoding)) return false;
        } else if (a == "--mode") {
            std::string mode;
            if (!value(mode)) return false;
            options.mode = parseIntLikeAtoi(mode);
        } else if (a == "--html") {
            options.html = true;
        } else if (a == "--explain") {
            options.explain = true;
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::cerr << "zintra: unknown option " << a << "\n";
            return false;
        } else {
            options.words.push_back(a);
        }
    }
    return true;
}

}  // namespace zintra::cli
