// frm基本文おたすけ: the basic-sentence study aid over the basic-sentence
// screen. It shows one sentence of the list, plays its recording, and has the
// engine check the sentence the learner types (blue right, red wrong).
#pragma once

#include "app/lessons/lesson_entries.h"

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace korvel {

class EngineBinding;
class Session;
class SoundOut;

struct SentenceAidOptions {
    bool showEnglish = true;
    bool playFirst = true;
    bool slow = false;
};

class frm基本文おたすけ : public QWidget {
public:
    // `sentences` is the basic-sentence screen's list (row 0 the title row).
    frm基本文おたすけ(Session& session, EngineBinding& engine, const std::vector<SentenceEntry>& sentences,
                      SentenceAidOptions options, SoundOut& sound, QWidget* parent = nullptr);

    void showSentence(int row);
    int row() const { return row_; }

    QLabel* LabelJapanese = nullptr;
    QLabel* LabelEnglish = nullptr;
    QPushButton* CommandSpeaker = nullptr;
    QLabel* LabelInstruction = nullptr;
    QLineEdit* TextTyping = nullptr;
    QLabel* LabelVerdict = nullptr;
    QTextEdit* TextComments = nullptr;
    QPushButton* CommandPrevious = nullptr;
    QPushButton* CommandNext = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(int key);
    void check();
    void play();

    Session& session_;
    EngineBinding& engine_;
    const std::vector<SentenceEntry>& sentences_;
    SentenceAidOptions options_;
    SoundOut& sound_;
    int row_ = 0;
};

inline const QString kSentenceAidInstruction = QStringLiteral(
    "入力エリアに基本文をタイプして習得しましょう。  Ｅｎｔｅｒキーでチェックします。青はＯＫ，赤は誤り");

}  // namespace korvel
