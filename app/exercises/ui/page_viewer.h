// The page pane of the goal and guide screens: a browser pane, the page box
// (a number and Enter), the page count label and the buttons to the previous
// and next page. The pages come from a function of the page number.
#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace korvel {

class Session;

class PageViewer : public QWidget {
public:
    using PagePath = std::function<QString(int page)>;

    PageViewer(Session& session, QWidget* parent = nullptr);

    // New pages: `count` of them, page 1 shown.
    void setPages(PagePath path, int count);
    int page() const { return page_; }
    int count() const { return count_; }
    void showPage(int page);

    QTextBrowser* Browser = nullptr;
    QLineEdit* TextPage = nullptr;
    QLabel* LabelCount = nullptr;
    QPushButton* CommandPrevious = nullptr;
    QPushButton* CommandNext = nullptr;

private:
    void pageBoxEntered();

    Session& session_;
    PagePath path_;
    int count_ = 0;
    int page_ = 0;
};

}  // namespace korvel
