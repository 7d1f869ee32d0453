// frmコメント: one correction comment shown in large type, opened from a row
// of the comment view.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace korvel {

class frmコメント : public QWidget {
public:
    explicit frmコメント(QWidget* parent = nullptr);

    // The comment's number, category and text.
    void showComment(const QString& number, const QString& category, const QString& text);

    QLabel* LabelHeading = nullptr;
    QLabel* LabelComment = nullptr;
    QPushButton* CommandClose = nullptr;
};

}  // namespace korvel
