// The two engine calls the application makes, behind an interface so that the
// binding's rules (once-per-run initialisation, the report buffer, the tests
// of a report) run the same over the real library and over a scripted one.
#pragma once

#include <QString>

#include <memory>

namespace korvel {

class ZintraCalls {
public:
    virtual ~ZintraCalls() = default;
    // zintraInit(configPath). 0 when the call could not be made.
    virtual int init(const char* configPath) = 0;
    // zintraMatch(encoding, request, reply). 0 when the call could not be made.
    virtual int match(const char* encoding, const char* request, char* reply) = 0;
};

// libzintra loaded by file name at its first call. Each entry point is resolved
// at its own first call; a library or entry point that cannot be found makes
// the call return 0 and is looked for again at the next call.
std::unique_ptr<ZintraCalls> loadZintraLibrary(const QString& path);

// The library's file name beside the executable of the running program.
QString zintraLibraryBesideExecutable();

}  // namespace korvel
