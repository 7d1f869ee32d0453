#include "app/records/ui/frm_record_list.h"

#include "app/exercises/ui/screen_parts.h"
#include "app/records/record_views.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

struct Group {
    const char* title;
    int first;
    int last;
};

// The views by what they show.
constexpr Group kGroups[] = {
    {"学習全体", 1, 2},
    {"単語", 3, 7},
    {"英作文", 8, 13},
    {"聞き取り", 14, 18},
};

}  // namespace

frm記録一覧::frm記録一覧(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frm記録一覧"));
    setWindowTitle(QStringLiteral("学習記録と一覧"));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 12 : 10));
    auto* outer = new QVBoxLayout(this);
    LabelCaption = addHeading(*this, outer, wide);
    LabelCaption->setText(QStringLiteral("学習記録と一覧"));

    auto* groups = new QHBoxLayout;
    for (const Group& group : kGroups) {
        auto* box = new QGroupBox(QString::fromUtf8(group.title), this);
        auto* column = new QVBoxLayout(box);
        for (int view = group.first; view <= group.last; ++view) {
            auto* button = new QPushButton(recordViewCaption(view), box);
            button->setObjectName(QStringLiteral("CommandView%1").arg(view));
            button->setMinimumHeight(wide ? 56 : 44);
            column->addWidget(button);
            CommandView[static_cast<std::size_t>(view - 1)] = button;
            connect(button, &QPushButton::clicked, this, [this, view] { openView(view); });
        }
        column->addStretch(1);
        groups->addWidget(box, 1);
    }
    outer->addLayout(groups, 1);

    auto* bottom = new QHBoxLayout;
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    CommandCharts = new QPushButton(QStringLiteral("グラフで見る"), this);
    CommandCharts->setEnabled(navigator.has(ScreenId::ProgressCharts));
    bottom->addWidget(CommandHome);
    bottom->addStretch(1);
    bottom->addWidget(CommandCharts);
    outer->addLayout(bottom);
    connect(CommandHome, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Home); });
    connect(CommandCharts, &QPushButton::clicked, this, [this] { this->navigator().open(ScreenId::ProgressCharts); });
}

void frm記録一覧::openView(int view)
{
    RecordViewChoice::set(view);
    replaceWith(ScreenId::RecordContents);
}

}  // namespace korvel
