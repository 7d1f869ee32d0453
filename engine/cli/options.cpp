#include <cstdlib>
#include <iostream>

#include "engine/api/engine.h"
#include "engine/cli/command.h"
#include "engine/config/config.h"
#include "engine/config/diagnostics.h"

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
        } else if (a == "--depth" || a == "--port") {
            std::string text;
            if (!value(text)) return false;
            char* end = nullptr;
            long n = std::strtol(text.c_str(), &end, 10);
            bool bad = text.empty() || *end != '\0' || n < 0 || (a == "--port" ? n > 65535 : n > 1000000);
            if (bad) {
                std::cerr << "zintra: " << a << " needs a number, not " << text << "\n";
                return false;
            }
            (a == "--depth" ? options.depth : options.port) = static_cast<int>(n);
        } else if (a == "--reference") {
            if (!value(options.reference)) return false;
        } else if (a == "--output") {
            if (!value(options.output)) return false;
        } else if (a == "--mode") {
            std::string mode;
            if (!value(mode)) return false;
            options.mode = parseIntLikeAtoi(mode);
        } else if (a == "--html") {
            options.html = true;
        } else if (a == "--quiet" || a == "-q") {
            options.quiet = true;
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

namespace {

Diagnostics::Sink printingSink(const Options& options) {
    if (options.quiet) return {};
    return [](std::string_view message) {
        std::cerr << "zintra: " << message << "\n";
        std::cerr.flush();
    };
}

}  // namespace

std::shared_ptr<Diagnostics> commandDiagnostics(const Options& options) {
    return std::make_shared<Diagnostics>(printingSink(options));
}

void listenTo(Engine& engine, const Options& options) { engine.diagnostics().setSink(printingSink(options)); }

}  // namespace zintra::cli
