// zintra match: one request through the engine, the reply printed as returned.
#include <iostream>
#include <iterator>

#include "engine/api/engine.h"
#include "engine/api/zintra.h"
#include "engine/cli/command.h"

namespace zintra::cli {

int runMatch(const Options& options) {
    std::string request;
    if (options.words.empty()) {
        request.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        for (size_t i = 0; i < options.words.size(); ++i) request += (i ? " " : "") + options.words[i];
    }
    Engine engine;
    if (engine.initialise(options.config.c_str()) != 1) {
        std::cerr << "zintra: cannot initialise the engine from " << options.config << "\n";
        return 1;
    }
    std::string reply(ZINTRA_REPLY_MAX, '\0');
    int length = engine.match(options.encoding.c_str(), request.c_str(), reply.data(), reply.size());
    std::cout.write(reply.data(), length);
    std::cout.flush();
    return 0;
}

}  // namespace zintra::cli
