#include "tests/app/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace korvel::test {

TempDir::TempDir()
{
    if (!dir_.isValid()) {
        ADD_FAILURE() << "cannot make a temporary folder";
    }
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
    }
    return path;
}

QByteArray TempDir::read(const QString& relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    return in.readAll();
}

bool TempDir::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempDir::makeFolder(const QString& relative) const
{
    QDir().mkpath(file(relative));
}

QByteArray le16(std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    QByteArray out;
    out.append(static_cast<char>(bits & 0xFF));
    out.append(static_cast<char>(bits >> 8));
    return out;
}

QByteArray userRecordBytes(const char* name, std::int16_t soundOn, std::int16_t wideDisplay, const char* id)
{
    QByteArray nameField(name);
    nameField.append(20 - nameField.size(), ' ');
    QByteArray idField(id);
    idField.append(8 - idField.size(), ' ');
    return nameField + le16(soundOn) + le16(wideDisplay) + idField;
}

QByteArray shiftJis(const QString& text)
{
    QStringEncoder encoder("Shift_JIS");
    return encoder.encode(text);
}

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
    services.endProgram = [this] { ++endCalls; };
    session = std::make_unique<Session>(services, content.path());
    if (loadErrors) {
        session->get_ErrorMsg();
    }
    return *session;
}

}  // namespace korvel::test
