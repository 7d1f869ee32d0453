#include "app/correction/check_command.h"

#include "app/correction/engine_binding.h"
#include "app/files/folders.h"
#include "app/shell/session.h"

#include <cstdio>
#include <cstring>

namespace korvel {

namespace {

// Message boxes of a run without a screen: printed on standard error.
class StderrPrompt final : public Prompt {
public:
    Answer ask(const QString& title, const QString& text, Buttons, Icon, const QStringList&) override
    {
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String(" / "));
        std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), shown.toUtf8().constData());
        return Answer::Ok;
    }
};

QByteArray jsonString(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': escaped += QLatin1String("\\\""); break;
        case u'\\': escaped += QLatin1String("\\\\"); break;
        case u'\r': escaped += QLatin1String("\\r"); break;
        case u'\n': escaped += QLatin1String("\\n"); break;
        case u'\t': escaped += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20) {
                escaped += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            } else {
                escaped += c;
            }
        }
    }
    return "\"" + escaped.toUtf8() + "\"";
}

template <class List>
QByteArray jsonNumbers(const List& numbers)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        out += (i > 0 ? "," : "") + QByteArray::number(numbers[i]);
    }
    return out + "]";
}

QByteArray jsonStrings(const QStringList& texts)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < texts.size(); ++i) {
        out += (i > 0 ? "," : "") + jsonString(texts[i]);
    }
    return out + "]";
}

void usage()
{
    std::fputs("usage: korvel --check EXERCISE SENTENCE [--prompt TEXT] [--mode 1|3] [--content DIR]\n", stderr);
}

}  // namespace

bool isCheckCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            return true;
        }
    }
    return false;
}

QByteArray checkJson(const CorrectionResult& r, const QString& modelBlock)
{
    const char* verdict = r.failed() ? "failed" : (r.right() ? "right" : "wrong");
    QByteArray out = "{\n";
    out += "  \"request\": " + jsonString(r.request) + ",\n";
    out += "  \"errors\": " + QByteArray::number(r.errorCount) + ",\n";
    out += "  \"quoteFlags\": " + QByteArray::number(r.quote.flags) + ",\n";
    out += QByteArray("  \"verdict\": \"") + verdict + "\",\n";
    out += "  \"comments\": " + jsonString(r.commentText) + ",\n";
    out += "  \"display\": " + jsonString(r.displayText) + ",\n";
    out += "  \"corrected\": " + jsonString(r.corrected) + ",\n";
    out += "  \"modelBlock\": " + jsonString(modelBlock) + ",\n";
    out += "  \"commentKinds\": " + jsonNumbers(r.commentKinds) + ",\n";
    out += "  \"items\": [";
    for (std::size_t i = 0; i < r.items.size(); ++i) {
        const CorrectionItem& item = r.items[i];
        out += i > 0 ? ",\n    " : "\n    ";
        out += "{\"word\": " + jsonString(item.word) + ", \"code\": " + QByteArray::number(item.code) +
               ", \"group\": " + QByteArray::number(item.group) +
               ", \"errorNumber\": " + QByteArray::number(item.errorNumber) +
               ", \"candidates\": " + jsonStrings(item.candidates) + ", \"comments\": " + jsonNumbers(item.comments) +
               "}";
    }
    out += r.items.empty() ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
}

int runCheckCommand(const QStringList& arguments, const QString& executableFolder)
{
    CorrectionInput input;
    input.logging = true;
    QStringList positional;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--check")) {
            continue;
        }
        if ((arg == QLatin1String("--prompt") || arg == QLatin1String("--mode") || arg == QLatin1String("--content")) &&
            !hasValue) {
            usage();
            return 1;
        }
        if (arg == QLatin1String("--prompt")) {
            input.prompt = arguments[++i];
        } else if (arg == QLatin1String("--mode")) {
            const QString mode = arguments[++i];
            if (mode != QLatin1String("1") && mode != QLatin1String("3")) {
                usage();
                return 1;
            }
            input.mode = static_cast<std::int16_t>(mode.toInt());
        } else if (arg == QLatin1String("--content")) {
            ++i;  // read by contentRootFromArguments
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        usage();
        return 1;
    }
    input.exercise = positional[0];
    input.sentence = positional[1];

    StderrPrompt prompt;
    SystemClock clock;
    SystemRandom random;
    Services services;
    services.prompt = &prompt;
    services.clock = &clock;
    services.random = &random;
    Session session(services, contentRootFromArguments(arguments, executableFolder));
    session.get_ErrorMsg();

    Correction correction(session, EngineBinding::shared());
    const CorrectionResult& result = correction.check(input);
    const QByteArray json = checkJson(result, correction.modelBlock());
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fflush(stdout);
    return result.failed() ? 1 : 0;
}

}  // namespace korvel
