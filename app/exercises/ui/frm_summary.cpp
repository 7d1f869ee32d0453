#include "app/exercises/ui/frm_summary.h"

#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/screen_parts.h"
#include "app/lessons/lesson_readers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace korvel {

frmまとめ::frmまとめ(Navigator& navigator) : FormBase(navigator)
{
    setObjectName(QStringLiteral("frmまとめ"));
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
    outer->addLayout(chapterRow);
    TextSummary = new QPlainTextEdit(this);
    TextSummary->setReadOnly(true);
    TextSummary->setFont(screenFont(wide ? 13 : 11));
    TextSummary->setMinimumSize(wide ? QSize(1000, 560) : QSize(820, 420));
    outer->addWidget(TextSummary, 1);
    connect(SpinChapter, &QSpinBox::editingFinished, this, [this] {
        const int chapter = SpinChapter->value();
        if (chapter >= 1 && chapter <= kChapterCount) {
            session().setChapter(static_cast<std::int16_t>(chapter));
        }
        load();
    });
    load();
}

void frmまとめ::load()
{
    const std::int16_t chapter = session().chapter();
    const QString caption = QStringLiteral("第") + QString::number(chapter) + QStringLiteral("章　まとめ");
    setWindowTitle(caption);
    LabelCaption->setText(caption);
    SpinChapter->setValue(chapter);
    Bar->update(chapter);
    TextSummary->setPlainText(dsp_Matome(session()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace korvel
