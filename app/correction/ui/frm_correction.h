// frm添削: the correction screen. The composition test opens it for one item
// (mode 1): it shows the Japanese prompt, the learner's English in the input
// box, the numbered comments, the sentence with the wrong parts in red, the
// corrected sentence on request and the recorded model sentence. Each check
// runs the correction of app/correction/correction.h.
//
// Keys in the input box: Enter check; F7 the current prompt; F8 all prompts;
// F9 close; F10 the corrected sentence; F11 and F12 the model sentence.
#pragma once

#include "app/correction/correction.h"
#include "app/lessons/composition_item.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace korvel {

class EngineBinding;
class ResultPicture;
class Session;

class frm添削 : public QWidget {
public:
    // Receives, once, when the screen closes, the result of the check made on
    // opening: the one the composition test marks and the SentLog keeps.
    using Done = std::function<void(const CompositionResult&)>;

    // `parent` is the opening screen; the correction screen is its own window,
    // modal to the application while it is open. In mode 1 with the request's
    // log flag set, the opening check is appended to the learner's SentLog.
    frm添削(Session& session, CompositionRequest request, Done done = {}, QWidget* parent = nullptr,
            EngineBinding* engine = nullptr);
    ~frm添削() override;

    // The check of the input box (Enter, button 0).
    void check();
    // Appends the corrected sentence to the comments (F10, button 2).
    void showCorrected();
    // The prompt grid with the current prompt (F7) or all prompts (F8).
    void showPrompt();
    void showAllPrompts();
    // The model sentence of speaker picture 0 (F12) or 1 (F11).
    void playModel(int picture);
    // The diagnostic window with the last request and report.
    QWidget* openTest();

    const CorrectionResult& lastResult() const { return correction_.last(); }
    const CompositionResult& openingResult() const { return opening_; }
    bool wide() const { return wide_; }

    QLabel* LabelHeader = nullptr;
    QLabel* LabelCaption = nullptr;
    QLineEdit* TextInput = nullptr;
    QPlainTextEdit* TextComment = nullptr;
    ResultPicture* PictureResult = nullptr;
    QTableWidget* GridPrompt = nullptr;
    // Index 0 check, 2 corrected sentence, 3 current prompt, 4 all prompts.
    std::array<QPushButton*, 5> Command{};
    std::array<QLabel*, 5> LabelCommand{};
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandTest = nullptr;
    std::array<QLabel*, 2> PictureSpeaker{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void runCheck(bool automatic);
    void placeGrid(int rows);
    void put_SentLog(const CorrectionResult& result);
    void playFeedback(bool right);
    int subItems() const { return static_cast<int>(request_.rows.size()); }
    QString prompt(int row) const;
    std::int16_t mode() const { return static_cast<std::int16_t>(request_.mode); }

    Session& session_;
    CompositionRequest request_;
    Done done_;
    EngineBinding& engine_;
    Correction correction_;
    bool wide_ = true;
    bool logPending_ = false;
    bool checked_ = false;
    bool closedReported_ = false;
    CompositionResult opening_;
    QPointer<QWidget> testWindow_;
};

// Opens the correction screen for `request` above `parent`, modal, deleted
// when it closes, and returns it; `done` receives the result when it closes.
frm添削* openCorrectionScreen(Session& session, const CompositionRequest& request, frm添削::Done done, QWidget* parent);

}  // namespace korvel
