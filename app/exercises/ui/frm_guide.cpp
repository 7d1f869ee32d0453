#include "app/exercises/ui/frm_guide.h"

#include "app/exercises/study_aids.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/exercises/ui/screen_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

namespace {
constexpr int kMaxGuideSections = 20;
}

frm手引き::frm手引き(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frm手引き"));
    setWindowTitle(QStringLiteral("手引き"));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 11 : 9));
    auto* outer = new QVBoxLayout(this);
    QLabel* caption = addHeading(*this, outer, wide);
    caption->setText(QStringLiteral("手引き"));
    auto* sections = new QHBoxLayout;
    CommandHome = new QPushButton(QStringLiteral("ホーム"), this);
    sections->addWidget(CommandHome);
    for (int section = 1; section <= kMaxGuideSections; ++section) {
        if (guidePageCount(session().folders(), section) == 0) {
            continue;
        }
        auto* button = new QPushButton(QStringLiteral("手引き %1").arg(section), this);
        CommandSection.push_back(button);
        sections->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, section] { showSection(section); });
    }
    sections->addStretch(1);
    outer->addLayout(sections);
    auto* balance = new QVBoxLayout;
    LabelBalanceTitle = new QLabel(QStringLiteral("画面表示のバランス"), this);
    LabelBalanceTitle->setFont(screenFont(wide ? 12 : 10, true));
    LabelShrink = new QLabel(
        QStringLiteral(
            "「ログイン画面に戻る」、「終了」ボタンが表示されない時は　画面表示のバランスを ●縮める にしてください。"),
        this);
    LabelWiden = new QLabel(QStringLiteral("画面が小さい時は　画面表示のバランスを ●広げる にしてください。"), this);
    balance->addWidget(LabelBalanceTitle);
    balance->addWidget(LabelShrink);
    balance->addWidget(LabelWiden);
    outer->addLayout(balance);
    Pages = new PageViewer(session(), this);
    Pages->setMinimumSize(wide ? QSize(1000, 560) : QSize(820, 420));
    outer->addWidget(Pages, 1);
    connect(CommandHome, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Home); });
    showSection(1);
}

void frm手引き::showSection(int section)
{
    const Folders& folders = session().folders();
    Pages->setPages([&folders, section](int page) { return guidePage(folders, section, page); },
                    guidePageCount(folders, section));
}

}  // namespace korvel
