// frm単語おたすけ: the word study aid over the words screen. It shows one word
// of the list (meaning, kind, state, picture, example entry), plays its sound,
// and checks the typed spelling as often as the learner likes, logging nothing.
#pragma once

#include "app/exercises/word_study.h"

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace korvel {

class Session;
class SoundOut;

class frm単語おたすけ : public QWidget {
public:
    // `words` is the words screen's list (row 0 the title row); it outlives the aid.
    frm単語おたすけ(Session& session, const std::vector<WordEntry>& words, std::vector<WordExample> examples,
                    WordsOptions options, SoundOut& sound, QWidget* parent = nullptr);

    void showWord(int row);
    int row() const { return row_; }

    QLabel* LabelMeaning = nullptr;
    QLabel* LabelKind = nullptr;
    QLabel* LabelState = nullptr;
    QLabel* LabelInstruction = nullptr;
    QLabel* LabelSecond = nullptr;
    QLabel* LabelSpelling = nullptr;
    QLabel* LabelPicture = nullptr;
    QLabel* LabelExampleTitle = nullptr;
    QTextEdit* TextExample = nullptr;
    QLineEdit* TextTyping = nullptr;
    QLabel* LabelResult = nullptr;
    QPushButton* CommandPrevious = nullptr;
    QPushButton* CommandNext = nullptr;
    QPushButton* CommandSound = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool handleKey(int key);
    void checkTyped();
    void playSound();

    Session& session_;
    const std::vector<WordEntry>& words_;
    std::vector<WordExample> examples_;
    WordsOptions options_;
    SoundOut& sound_;
    int row_ = 0;
};

}  // namespace korvel
