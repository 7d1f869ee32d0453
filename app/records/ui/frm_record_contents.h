// frm記録内容: one view of the records in a grid, titled with the caption of
// the record list's button. Option changes refill the grid from the records
// read when the screen opened; views 5, 10 and 16 start their re-test; the
// grid can be saved as a CSV file; a row of the comment view opens the
// comment large in frmコメント.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/records/record_views.h"
#include "app/records/ui/frm_comment.h"

#include <QPointer>

class QLabel;
class QPushButton;
class QTableWidget;

namespace korvel {

class frm記録内容 : public FormBase {
public:
    frm記録内容(Navigator& navigator, int view);

    QLabel* LabelCaption = nullptr;
    YesNo OptionOrder;    // 0 newest first, 1 oldest first
    YesNo OptionAnswers;  // 0 "表示する", 1 "表示しない"
    YesNo OptionSort;  // comments: 0 "頻度順", 1 "ＩＤ順"; words: 0 "日本語ＩＤ順", 1 "英語ａｂｃ順"
    QLabel* LabelText = nullptr;
    QLabel* LabelRetest = nullptr;
    QPushButton* CommandRetest = nullptr;
    QTableWidget* GridRecords = nullptr;
    QPushButton* CommandHome = nullptr;
    QPushButton* CommandList = nullptr;
    QPushButton* CommandExport = nullptr;

    int view() const { return view_; }
    const RecordGrid& grid() const { return grid_; }
    RecordViewOptions options() const;
    frmコメント* comment() const { return comment_; }

    // Saves the grid shown as a CSV file where the save dialog says; false
    // when cancelled or the file could not be written (reported).
    bool exportCsv();

private:
    void fill();
    void openComment(int gridRow);
    void startRetest();

    int view_;
    RecordSources sources_;
    RecordGrid grid_;
    QPointer<frmコメント> comment_;
    bool filling_ = false;
};

}  // namespace korvel
