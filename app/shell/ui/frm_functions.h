// frm機能: the popup that lists the course functions of the chosen chapter.
#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace korvel {

class HomeScreen;

class frm機能 : public QWidget {
public:
    explicit frm機能(HomeScreen& home);

    QLabel* LabelChapter = nullptr;
    std::array<QPushButton*, 8> CommandFunction{};
    QPushButton* CommandClose = nullptr;

    // Shows the popup for a chapter: caption "第" + chapter + "章" and the
    // functions enabled as the home screen allows.
    void showFor(int chapter);
    void updateButtons();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HomeScreen& home_;
    bool chosen_ = false;
};

}  // namespace korvel
