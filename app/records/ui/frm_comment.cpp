#include "app/records/ui/frm_comment.h"

#include "app/desktop/ui/form_base.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace korvel {

frmコメント::frmコメント(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmコメント"));
    setWindowTitle(QStringLiteral("コメント"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* outer = new QVBoxLayout(this);
    LabelHeading = new QLabel(this);
    LabelHeading->setFont(screenFont(12));
    outer->addWidget(LabelHeading);
    LabelComment = new QLabel(this);
    LabelComment->setObjectName(QStringLiteral("LabelComment"));
    LabelComment->setFont(screenFont(20));
    LabelComment->setWordWrap(true);
    LabelComment->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelComment->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(LabelComment);
    outer->addWidget(scroll, 1);
    CommandClose = new QPushButton(QStringLiteral("閉じる"), this);
    outer->addWidget(CommandClose, 0, Qt::AlignRight);
    connect(CommandClose, &QPushButton::clicked, this, &QWidget::close);
    resize(760, 360);
}

void frmコメント::showComment(const QString& number, const QString& category, const QString& text)
{
    LabelHeading->setText(QStringLiteral("コメント ") + number + QStringLiteral("　　") + category);
    LabelComment->setText(text);
}

}  // namespace korvel
