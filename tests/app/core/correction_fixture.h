// Helpers of the correction tests: a scripted engine library that returns a
// report written by hand, and a fixture with a content root and a session.
#pragma once

#include "app/correction/correction.h"
#include "app/correction/engine_binding.h"
#include "app/correction/zintra_library.h"
#include "tests/app/test_support.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <memory>

namespace korvel::test {

class ScriptedZintra final : public ZintraCalls {
public:
    QByteArray reply;  // written into the buffer, then a zero
    int result = -1;   // -1: the reply's length
    int inits = 0;
    int matches = 0;
    QByteArray config;
    QByteArray encoding;
    QByteArray request;
    std::size_t bufferBlanks = 0;  // length of the buffer as it arrived

    int init(const char* configPath) override
    {
        ++inits;
        config = configPath;
        return 1;
    }
    int match(const char* enc, const char* req, char* out) override
    {
        ++matches;
        encoding = enc;
        request = req;
        bufferBlanks = std::strlen(out);
        std::memcpy(out, reply.constData(), static_cast<std::size_t>(reply.size()));
        out[reply.size()] = '\0';
        return result < 0 ? static_cast<int>(reply.size()) : result;
    }
};

class CorrectionTest : public AppTest {
protected:
    void SetUp() override
    {
        installCourse();
        startSession();
        auto calls = std::make_unique<ScriptedZintra>();
        engine = calls.get();
        binding = std::make_unique<EngineBinding>(std::move(calls));
    }

    // Checks `sentence` (mode 1, logging) against a scripted report.
    const CorrectionResult& checkWith(const QString& report, const QString& sentence,
                                      const QString& promptText = QString())
    {
        engine->reply = shiftJis(report);
        correction = std::make_unique<Correction>(*session, *binding);
        CorrectionInput input;
        input.exercise = QStringLiteral("Lesson01-01");
        input.sentence = sentence;
        input.prompt = promptText;
        input.logging = true;
        return correction->check(input);
    }

    ScriptedZintra* engine = nullptr;
    std::unique_ptr<EngineBinding> binding;
    std::unique_ptr<Correction> correction;
};

// A report of the engine's form: the word list `words`, an empty tail.
inline QString reportOf(const QString& words, const QString& comments = QString())
{
    return QStringLiteral("<div>") + words + QStringLiteral("</div>\n<div>") + comments +
           QStringLiteral("</div>\n<div><P>templates/x.xvt</P><P>x</P></div>\n<div></div>\n");
}

inline QString span(const QString& word)
{
    return QStringLiteral("<span>") + word + QStringLiteral("</span>");
}

inline QString commentBlock(int number, const QString& japanese)
{
    return QStringLiteral("<div><B>%1</B>\n<span>English.</span>\n<span>%2</span>\n</div>\n").arg(number).arg(japanese);
}

}  // namespace korvel::test
