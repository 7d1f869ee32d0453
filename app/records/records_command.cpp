#include "app/records/records_command.h"

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
        ++shownCount;
        return Answer::Ok;
    }
    int shownCount = 0;
};

void usage()
{
    std::fputs(
        "usage: korvel --records VIEW [--user N] [--content DIR] [--order newest|oldest] "
        "[--answers show|hide] [--sort frequency|id|japanese|english]\n",
        stderr);
}

std::optional<int> wholeNumber(const QString& text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) {
        return std::nullopt;
    }
    return n;
}

}  // namespace

bool isRecordsCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--records") == 0) {
            return true;
        }
    }
    return false;
}

std::optional<RecordsArguments> parseRecordsArguments(const QStringList& arguments)
{
    RecordsArguments parsed;
    bool haveView = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (i + 1 >= arguments.size()) {
            return std::nullopt;  // every option takes a value
        }
        const QString value = arguments[++i];
        if (arg == QLatin1String("--records")) {
            const auto view = wholeNumber(value, 1, kRecordViewCount);
            if (!view) {
                return std::nullopt;
            }
            parsed.view = *view;
            haveView = true;
        } else if (arg == QLatin1String("--user")) {
            parsed.user = wholeNumber(value, 0, kMaxUsers - 1);
            if (!parsed.user) {
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--content")) {
            // read by contentRootFromArguments
        } else if (arg == QLatin1String("--order") &&
                   (value == QLatin1String("newest") || value == QLatin1String("oldest"))) {
            parsed.options.order =
                value == QLatin1String("newest") ? RecordOrder::NewestFirst : RecordOrder::OldestFirst;
        } else if (arg == QLatin1String("--answers") &&
                   (value == QLatin1String("show") || value == QLatin1String("hide"))) {
            parsed.options.showAnswers = value == QLatin1String("show");
        } else if (arg == QLatin1String("--sort") && value == QLatin1String("frequency")) {
            parsed.options.commentSort = CommentSort::Frequency;
        } else if (arg == QLatin1String("--sort") && value == QLatin1String("id")) {
            parsed.options.commentSort = CommentSort::Id;
            parsed.options.wordSort = WordSort::JapaneseId;
        } else if (arg == QLatin1String("--sort") && value == QLatin1String("japanese")) {
            parsed.options.wordSort = WordSort::JapaneseId;
        } else if (arg == QLatin1String("--sort") && value == QLatin1String("english")) {
            parsed.options.wordSort = WordSort::English;
        } else {
            return std::nullopt;
        }
    }
    if (!haveView) {
        return std::nullopt;
    }
    return parsed;
}

int runRecordsCommand(const QStringList& arguments, const QString& executableFolder)
{
    const auto parsed = parseRecordsArguments(arguments);
    if (!parsed) {
        usage();
        return 1;
    }
    StderrPrompt prompt;
    SystemClock clock;
    SystemRandom random;
    Services services;
    services.prompt = &prompt;
    services.clock = &clock;
    services.random = &random;
    Session session(services, contentRootFromArguments(arguments, executableFolder));
    session.get_ErrorMsg();
    session.users().get_UserData();
    if (parsed->user) {
        if (*parsed->user >= session.users().count()) {
            std::fprintf(stderr, "korvel --records: learner %d is not registered\n", *parsed->user);
            return 1;
        }
        session.users().chooseLearner(*parsed->user);
    } else {
        session.users().get_LastUserData();
    }
    const RecordSources sources = loadRecordSources(session, parsed->view);
    if (parsed->view == 13 && sources.commentStatus == GlobalCommStatus::NotGlobal) {
        session.prompt().tell(notGlobalTitle(), notGlobalText());
    }
    const RecordGrid grid = buildRecordView(parsed->view, sources, parsed->options);
    const QByteArray out = gridTsv(grid);
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    std::fflush(stdout);
    return prompt.shownCount == 0 && grid.complete ? 0 : 2;
}

}  // namespace korvel
