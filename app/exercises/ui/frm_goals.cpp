#include "app/exercises/ui/frm_goals.h"

#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/page_viewer.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace korvel {

frm学習目標::frm学習目標(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frm学習目標"));
    const bool wide = session().currentUser().wideDisplay == -1;
    setFont(screenFont(wide ? 11 : 9));
    auto* outer = new QVBoxLayout(this);
    LabelCaption = addHeading(*this, outer, wide);
    Bar = new FunctionBar(
        navigator, [this](int index) { openFunction(*this, index); }, this);
    outer->addWidget(Bar);
    auto* chapterRow = new QHBoxLayout;
    chapterRow->addWidget(new QLabel(QStringLiteral("章の指定"), this));
    SpinChapter = new QSpinBox(this);
    SpinChapter->setRange(0, 99);
    chapterRow->addWidget(SpinChapter);
    chapterRow->addStretch(1);
    CommandGuide = new QPushButton(QStringLiteral("手引き"), this);
    chapterRow->addWidget(CommandGuide);
    outer->addLayout(chapterRow);

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* goalTitle = new QLabel(QStringLiteral("学習目標"), this);
    goalTitle->setFont(screenFont(wide ? 13 : 11, true));
    LabelGoal = new QLabel(this);
    LabelGoal->setWordWrap(true);
    LabelGoal->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LabelGoal->setMinimumWidth(wide ? 360 : 280);
    LabelGoal->setMaximumWidth(wide ? 420 : 320);
    PictureSkit = new QLabel(this);
    CommandSkit = new QPushButton(QStringLiteral("次のスキット"), this);
    left->addWidget(goalTitle);
    left->addWidget(LabelGoal);
    left->addWidget(PictureSkit);
    left->addWidget(CommandSkit);
    left->addStretch(1);
    body->addLayout(left);
    Pages = new PageViewer(session(), this);
    Pages->setMinimumSize(wide ? QSize(640, 560) : QSize(520, 420));
    body->addWidget(Pages, 1);
    outer->addLayout(body, 1);

    connect(CommandSkit, &QPushButton::clicked, this, [this] { showSkit(skit_ + 1); });
    connect(CommandGuide, &QPushButton::clicked, this, [this] { replaceWith(ScreenId::Guide); });
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        const int chapter = SpinChapter->value();
        if (chapter != session().chapter()) {
            if (chapter >= 1 && chapter <= kChapterCount) {
                session().setChapter(static_cast<std::int16_t>(chapter));
            }
            load();
        }
    });
    CommandGuide->setEnabled(navigator.has(ScreenId::Guide));
    load();
}

void frm学習目標::load()
{
    const std::int16_t chapter = session().chapter();
    const QString caption = QStringLiteral("第") + QString::number(chapter) + QStringLiteral("章");
    LabelCaption->setText(caption);
    setWindowTitle(caption + QStringLiteral("　学習目標と説明"));
    SpinChapter->setValue(chapter);
    Bar->update(chapter);
    LabelGoal->setText(dsp_Menu(session()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    showSkit(1);
    const Folders& folders = session().folders();
    Pages->setPages([&folders, chapter](int page) { return explainPage(folders, chapter, page); },
                    explainPageCount(folders, chapter));
}

void frm学習目標::showSkit(int skit)
{
    const int chapter = session().chapter();
    const bool several = chapterHasSeveralSkits(chapter);
    // After the last lettered skit the first comes again.
    if (several && skit > 1 && !QFileInfo::exists(skitPicture(session().folders(), chapter, skit))) {
        skit = 1;
    }
    skit_ = several ? skit : 1;
    const bool wide = session().currentUser().wideDisplay == -1;
    showPicture(PictureSkit, skitPicture(session().folders(), chapter, skit_), wide ? 400 : 300, wide ? 300 : 225);
    CommandSkit->setVisible(several);
}

}  // namespace korvel
