// frm手引き: the guide pages with the page box, and the advice on the display
// balance.
#pragma once

#include "app/desktop/ui/form_base.h"

#include <vector>

class QLabel;
class QPushButton;

namespace korvel {

class PageViewer;

class frm手引き : public FormBase {
public:
    explicit frm手引き(Navigator& navigator);

    std::vector<QPushButton*> CommandSection;  // one per guide section that has pages
    QLabel* LabelBalanceTitle = nullptr;
    QLabel* LabelShrink = nullptr;
    QLabel* LabelWiden = nullptr;
    PageViewer* Pages = nullptr;
    QPushButton* CommandHome = nullptr;

    void showSection(int section);
};

}  // namespace korvel
