// The fixture of the exercise screen tests: the bundled course (chapters 1
// to 9 with pages and pictures) in the content root, a learner logged in,
// a sound output that records what it is asked to play, and the records of
// the learner's logs read back.
#pragma once

#include "app/exercises/sound_out.h"
#include "app/exercises/ui/frm_basic_sentences.h"
#include "app/exercises/ui/frm_listening.h"
#include "app/exercises/ui/frm_rearrangement.h"
#include "app/exercises/ui/frm_word_test.h"
#include "app/exercises/ui/frm_words.h"
#include "app/records/learning_log.h"
#include "tests/app/ui/screen_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace korvel::test {

class RecordingSound final : public SoundOut {
public:
    void play(const QString& path) override { played.append(path); }
    QStringList played;
};

class ExerciseScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        const QString course = QStringLiteral(KORVEL_COURSE_DIR);
        for (const char* folder : {"Lesson", "HTML", "Image"}) {
            QDirIterator files(course + QLatin1Char('/') + QString::fromLatin1(folder), QDir::Files);
            while (files.hasNext()) {
                const QString path = files.next();
                QFile in(path);
                if (in.open(QIODevice::ReadOnly)) {
                    content.write(QString::fromLatin1(folder) + QLatin1Char('/') + QFileInfo(path).fileName(),
                                  in.readAll());
                }
            }
        }
        writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", 0, 0, "")});
        random.values = {0.0};  // equal keys: the file's order
        startNavigator();
        // The screens that play sounds play into `sound`.
        navigator->add(ScreenId::Words, [this](Navigator& nav) { return new frm単語(nav, &sound); });
        navigator->add(ScreenId::WordTest, [this](Navigator& nav) { return new frm単語テスト(nav, &sound); });
        navigator->add(ScreenId::Rearrangement, [this](Navigator& nav) { return new frm並べ替え(nav, &sound); });
        navigator->add(ScreenId::Listening, [this](Navigator& nav) { return new frm聞き取り(nav, &sound); });
        navigator->add(ScreenId::BasicSentences, [this](Navigator& nav) { return new frm基本文(nav, &sound, engine); });
    }

    // Logs the learner of `slot` in and opens `id` for `chapter`.
    template <class T>
    T* openAs(ScreenId id, int chapter, int slot = 0)
    {
        openHomeAs(slot);
        session->setChapter(static_cast<std::int16_t>(chapter));
        auto* screen = dynamic_cast<T*>(navigator->open(id));
        settle();
        return screen;
    }

    std::vector<QByteArray> records(LogName log) const
    {
        QFile file(currentLogPath(*session, log));
        std::vector<QByteArray> out;
        if (!file.open(QIODevice::ReadOnly)) {
            return out;
        }
        const QByteArray all = file.readAll();
        const int length = recordLength(log);
        for (qsizetype at = 0; at + length <= all.size(); at += length) {
            out.push_back(all.mid(at, length));
        }
        return out;
    }

    RecordingSound sound;
    EngineBinding* engine = nullptr;  // the basic-sentence screen's engine; null: the shared one
};

}  // namespace korvel::test
