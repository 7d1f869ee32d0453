// The configuration reader on any bytes: the file read as the engine reads
// it (through a file, so its line buffer is used), the symbol tables built
// from the values, and the query file reader on the same bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/config/config.h"
#include "engine/language/language_data.h"
#include "engine/query/query_table.h"
#include "fuzz_support.h"

namespace {

int memoryFile = -1;
std::string memoryPath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    memoryFile = memfd_create("zintra-config", 0);
    if (memoryFile < 0) std::abort();
    memoryPath = "/proc/self/fd/" + std::to_string(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!zintra::fuzz::replaceFileContent(memoryFile, data, size)) std::abort();
    zintra::Config config;
    if (!zintra::readConfig(memoryPath, config)) std::abort();
    zintra::LanguageData language;
    language.configure(config);

    zintra::QueryTable queries;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    queries.load(text);
    std::string filled = queries.fill({{"$who", "Ken"}, {"$where", "Tokyo"}});
    volatile size_t sink = filled.size() + queries.fill({}).size();
    (void)sink;
    return 0;
}
