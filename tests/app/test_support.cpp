#include "tests/app/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace korvel::test {

Prompt::Answer ScriptedPrompt::ask(const QString& title, const QString& text, Buttons buttons, Icon,
                                   const QStringList& captions)
{
    shown_.push_back({title, text, buttons, captions});
    if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
}

QString ScriptedPrompt::transcript() const
{
    QString out;
    for (const Shown& s : shown_) {
        out += QLatin1Char('[') + s.title + QStringLiteral("] ") + s.text + QLatin1Char('\n');
    }
    return out;
}

double SequenceRandom::next()
{
    const double value = values[position_ % values.size()];
    ++position_;
    return value;
}

AppTest::AppTest() = default;

void AppTest::installCourse() const
{
    const QString course = QStringLiteral(KORVEL_COURSE_DIR);
    for (const char* name : {"Lesson/ErrorMsg.txt", "Lesson/目次.txt"}) {
        QFile in(course + QLatin1Char('/') + QString::fromUtf8(name));
        if (!in.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "bundled course file missing: " << name;
            continue;
        }
        content.write(QString::fromUtf8(name), in.readAll());
    }
    content.makeFolder(QStringLiteral("Korveluser"));
}

void AppTest::writeUsers(const std::vector<QByteArray>& records, const QByteArray& trailing) const
{
    QByteArray bytes;
    for (const QByteArray& record : records) {
        bytes += record;
    }
    content.write(QStringLiteral("Korveluser/user.dat"), bytes + trailing);
}

Session& AppTest::startSession(bool loadErrors)
{
    Services services;
    services.prompt = &prompt;
    services.clock = &clock;
    services.random = &random;
    services.fileDialog = &fileDialog;
    services.endProgram = [this] { ++endCalls; };
    session = std::make_unique<Session>(services, content.path());
    if (loadErrors) {
        session->get_ErrorMsg();
    }
    return *session;
}

}  // namespace korvel::test
