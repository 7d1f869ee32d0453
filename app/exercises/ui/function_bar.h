// The function bar of the exercise screens: one button per course function of
// the chapter (indexes 0 to 7) and one back to the home screen. A function
// whose screen does not exist, and in chapter 28 the basic sentences, the
// rearrangement quiz and the listening quiz, are disabled.
#pragma once

#include "app/desktop/ui/navigator.h"

#include <QWidget>

#include <array>
#include <functional>

class QPushButton;

namespace korvel {

class FunctionBar : public QWidget {
public:
    static constexpr int kHome = -1;

    // `chosen` receives the function index, or kHome.
    FunctionBar(Navigator& navigator, std::function<void(int)> chosen, QWidget* parent = nullptr);

    std::array<QPushButton*, 8> CommandFunction{};
    QPushButton* CommandHome = nullptr;

    // Enables the buttons for the chapter in use.
    void update(int chapter);

private:
    Navigator& navigator_;
};

}  // namespace korvel
