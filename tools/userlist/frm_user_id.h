// frmUserID: the window of tanduid, the listing of the registered learners
// with their user IDs and a running clock.
#pragma once

#include "app/desktop/services.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tanduid {

class frmUserID : public QWidget {
public:
    frmUserID(const QString& userFolder, korvel::Prompt& prompt, const korvel::Clock& clock);

    QPlainTextEdit* TextList = nullptr;
    QLabel* LabelClock = nullptr;
    QTimer* Timer = nullptr;
    QPushButton* CommandClose = nullptr;

    // The listing as built, with its CR LF line ends.
    const QString& listing() const { return listing_; }
    // What a timer tick does: the clock label shows the time without seconds.
    void tick();

private:
    const korvel::Clock& clock_;
    QString listing_;
};

}  // namespace tanduid
