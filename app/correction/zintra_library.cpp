#include "app/correction/zintra_library.h"

#include <QCoreApplication>
#include <QLibrary>

namespace korvel {

namespace {

using InitFunction = int (*)(const char*);
using MatchFunction = int (*)(const char*, const char*, char*);

class QtZintraLibrary final : public ZintraCalls {
public:
    explicit QtZintraLibrary(const QString& path) : library_(path) {}

    int init(const char* configPath) override
    {
        if (init_ == nullptr) {
            init_ = reinterpret_cast<InitFunction>(resolve("zintraInit"));
        }
        return init_ != nullptr ? init_(configPath) : 0;
    }

    int match(const char* encoding, const char* request, char* reply) override
    {
        if (match_ == nullptr) {
            match_ = reinterpret_cast<MatchFunction>(resolve("zintraMatch"));
        }
        return match_ != nullptr ? match_(encoding, request, reply) : 0;
    }

private:
    QFunctionPointer resolve(const char* name)
    {
        if (!library_.isLoaded() && !library_.load()) {
            return nullptr;
        }
        return library_.resolve(name);
    }

    QLibrary library_;
    InitFunction init_ = nullptr;
    MatchFunction match_ = nullptr;
};

}  // namespace

std::unique_ptr<ZintraCalls> loadZintraLibrary(const QString& path)
{
    return std::make_unique<QtZintraLibrary>(path);
}

QString zintraLibraryBesideExecutable()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("zintra.dll");
#else
    const QString name = QStringLiteral("libzintra.so");
#endif
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

}  // namespace korvel
