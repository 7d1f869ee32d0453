#include "app/exercises/ui/frm_glossary.h"

#include "app/exercises/study_aids.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_readers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace korvel {

frm用語一覧::frm用語一覧(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frm用語一覧"));
    setWindowTitle(QStringLiteral("用語一覧"));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 11 : 9));
    auto* outer = new QVBoxLayout(this);
    QLabel* caption = addHeading(*this, outer, wide);
    caption->setText(QStringLiteral("用語一覧"));
    auto* top = new QHBoxLayout;
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    top->addWidget(CommandHome);
    top->addStretch(1);
    outer->addLayout(top);
    auto* body = new QHBoxLayout;
    GridTerms = new QTableWidget(this);
    GridTerms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridTerms->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridTerms->setSelectionMode(QAbstractItemView::SingleSelection);
    GridTerms->verticalHeader()->setVisible(false);
    GridTerms->setMinimumSize(wide ? QSize(640, 560) : QSize(520, 420));
    body->addWidget(GridTerms, 3);
    auto* right = new QVBoxLayout;
    PictureFlower = new QLabel(this);
    TextExplanation = new QTextEdit(this);
    TextExplanation->setReadOnly(true);
    right->addWidget(PictureFlower);
    right->addWidget(TextExplanation, 1);
    body->addLayout(right, 2);
    outer->addLayout(body, 1);

    glossary_ = get_用語一覧(session());
    const int rows = glossary_.grid.empty() ? 0 : static_cast<int>(glossary_.grid.size()) - 1;
    GridTerms->setColumnCount(3);
    if (!glossary_.grid.empty()) {
        GridTerms->setHorizontalHeaderLabels(glossary_.grid.front());
    }
    GridTerms->setRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        const QStringList& cells = glossary_.grid[static_cast<std::size_t>(r)];
        for (int c = 0; c < 3; ++c) {
            GridTerms->setItem(r - 1, c, new QTableWidgetItem(c < cells.size() ? cells[c] : QString()));
        }
    }
    GridTerms->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    GridTerms->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    GridTerms->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    flower_ = openingFlower(session().folders());
    showPicture(PictureFlower, flower_, 240, 180);
    connect(GridTerms, &QTableWidget::cellClicked, this, [this](int row, int) { selectRow(row + 1); });
    connect(CommandHome, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Home); });
}

void frm用語一覧::selectRow(int row)
{
    if (row < 1 || row >= static_cast<int>(glossary_.grid.size())) {
        return;
    }
    GridTerms->selectRow(row - 1);
    const qsizetype index = row;
    TextExplanation->setPlainText(
        index < glossary_.explanations.size()
            ? QString(glossary_.explanations[index]).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            : QString());
    flower_ = flowerPicture(session().folders(), row);
    showPicture(PictureFlower, flower_, 240, 180);
}

}  // namespace korvel
