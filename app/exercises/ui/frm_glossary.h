// frm用語一覧: the glossary grid; selecting a row shows its explanation and
// one of the flower pictures.
#pragma once

#include "app/desktop/ui/form_base.h"
#include "app/lessons/lesson_entries.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace korvel {

class frm用語一覧 : public FormBase {
public:
    explicit frm用語一覧(Navigator& navigator);

    QTableWidget* GridTerms = nullptr;
    QTextEdit* TextExplanation = nullptr;
    QLabel* PictureFlower = nullptr;
    QPushButton* CommandHome = nullptr;

    // The picture shown last (its path).
    const QString& flower() const { return flower_; }
    // Grid row `row` (1-based; row 0 is the title row) selected.
    void selectRow(int row);

private:
    Glossary glossary_;
    QString flower_;
};

}  // namespace korvel
