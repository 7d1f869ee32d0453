#include "app/exercises/ui/screen_parts.h"

#include "app/exercises/ui/function_bar.h"
#include "app/exercises/ui/media_sound_out.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel {

SoundOut* soundOrOwn(SoundOut* given, std::unique_ptr<SoundOut>& own, QObject* owner)
{
    if (given != nullptr) {
        return given;
    }
    own = std::make_unique<MediaSoundOut>(owner);
    return own.get();
}

ExerciseFrame addExerciseFrame(FormBase& form, Navigator& navigator, bool wide, std::function<void(int)> chosen)
{
    ExerciseFrame frame;
    form.setFont(screenFont(wide ? 11 : 9));
    frame.outer = new QVBoxLayout(&form);
    frame.caption = addHeading(form, frame.outer, wide);
    frame.bar = new FunctionBar(navigator, std::move(chosen), &form);
    frame.outer->addWidget(frame.bar);
    return frame;
}

QLabel* addHeading(FormBase& form, QBoxLayout* outer, bool wide)
{
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(&form);
    caption->setObjectName(QStringLiteral("LabelCaption"));
    caption->setFont(screenFont(wide ? 15 : 12, true));
    auto* user = new QLabel(form.session().clockText() + QLatin1Char(' ') + form.session().currentUser().name, &form);
    row->addWidget(caption);
    row->addStretch(1);
    row->addWidget(user);
    outer->addLayout(row);
    return caption;
}

void openFunction(FormBase& form, int index)
{
    form.replaceWith(index == FunctionBar::kHome ? ScreenId::Home : functionScreen(index));
}

bool YesNo::yes() const
{
    return buttons[0]->isChecked();
}

void YesNo::set(bool isYes)
{
    buttons[isYes ? 0 : 1]->setChecked(true);
}

void YesNo::setEnabled(bool enabled)
{
    question->setEnabled(enabled);
    buttons[0]->setEnabled(enabled);
    buttons[1]->setEnabled(enabled);
}

YesNo addYesNo(QWidget* owner, QBoxLayout* row, const QString& question, const QString& yesText, const QString& noText)
{
    YesNo pair;
    pair.question = new QLabel(question, owner);
    pair.group = new QButtonGroup(owner);
    row->addWidget(pair.question);
    const QString texts[2] = {yesText, noText};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QRadioButton(texts[i], owner);
        pair.buttons[static_cast<std::size_t>(i)] = button;
        pair.group->addButton(button, i);
        row->addWidget(button);
    }
    pair.set(true);
    return pair;
}

void showPicture(QLabel* label, const QString& path, int maxWidth, int maxHeight)
{
    QPixmap picture;
    if (path.isEmpty() || !picture.load(path)) {
        label->clear();
        label->hide();
        return;
    }
    if (maxWidth > 0 && maxHeight > 0 && (picture.width() > maxWidth || picture.height() > maxHeight)) {
        picture = picture.scaled(maxWidth, maxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    label->setPixmap(picture);
    label->show();
}

void setColouredText(QLabel* label, const QString& text, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setText(text);
}

}  // namespace korvel
