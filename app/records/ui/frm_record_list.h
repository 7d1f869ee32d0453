// frm記録一覧: the record list, one button per view of the records. A button
// opens frm記録内容 with its view and closes the list.
#pragma once

#include "app/desktop/ui/form_base.h"

#include <array>

class QLabel;
class QPushButton;

namespace korvel {

class frm記録一覧 : public FormBase {
public:
    explicit frm記録一覧(Navigator& navigator);

    QLabel* LabelCaption = nullptr;
    std::array<QPushButton*, 18> CommandView{};  // view 1 is CommandView[0]
    QPushButton* CommandCharts = nullptr;
    QPushButton* CommandHome = nullptr;

private:
    void openView(int view);
};

}  // namespace korvel
