#include "app/exercises/ui/page_viewer.h"

#include "app/exercises/study_aids.h"
#include "app/files/sjis_text.h"
#include "app/shell/session.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace korvel {

PageViewer::PageViewer(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    CommandPrevious = new QPushButton(QStringLiteral("前のページ"), this);
    TextPage = new QLineEdit(this);
    TextPage->setObjectName(QStringLiteral("TextPage"));
    TextPage->setMaximumWidth(60);
    TextPage->setAlignment(Qt::AlignRight);
    LabelCount = new QLabel(this);
    CommandNext = new QPushButton(QStringLiteral("次のページ"), this);
    row->addWidget(CommandPrevious);
    row->addWidget(TextPage);
    row->addWidget(LabelCount);
    row->addWidget(CommandNext);
    row->addStretch(1);
    outer->addLayout(row);
    Browser = new QTextBrowser(this);
    Browser->setOpenLinks(false);
    outer->addWidget(Browser, 1);
    connect(TextPage, &QLineEdit::returnPressed, this, [this] { pageBoxEntered(); });
    connect(CommandPrevious, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(CommandNext, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
}

void PageViewer::setPages(PagePath path, int count)
{
    path_ = std::move(path);
    count_ = count;
    LabelCount->setText(pageCountText(count));
    page_ = 0;
    Browser->clear();
    if (count > 0) {
        showPage(1);
    } else {
        TextPage->clear();
        CommandPrevious->setEnabled(false);
        CommandNext->setEnabled(false);
    }
}

void PageViewer::showPage(int page)
{
    if (count_ < 1 || page < 1 || page > count_) {
        return;
    }
    page_ = page;
    TextPage->setText(QString::number(page));
    CommandPrevious->setEnabled(page > 1);
    CommandNext->setEnabled(page < count_);
    const QString shown = shownPage(session_, path_(page));
    if (shown.isEmpty()) {
        Browser->clear();
        return;
    }
    // The pages are Shift-JIS: decoded here, with the page's folder as the
    // base of its pictures.
    QFile file(shown);
    if (!file.open(QIODevice::ReadOnly)) {
        Browser->clear();
        return;
    }
    Browser->setSearchPaths({QFileInfo(shown).absolutePath()});
    Browser->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(shown).absolutePath() + QLatin1Char('/')));
    Browser->setHtml(sjis::decode(file.readAll()));
}

void PageViewer::pageBoxEntered()
{
    const std::optional<int> page = pageBoxChoice(TextPage->text(), count_);
    if (!page) {
        session_.prompt().tell(QStringLiteral("ページ指定"), kPageDigitsMessage);
        TextPage->setText(page_ > 0 ? QString::number(page_) : QString());
        return;
    }
    showPage(*page);
}

}  // namespace korvel
