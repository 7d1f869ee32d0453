// frmTest: the diagnostic window of the correction screen, with the last
// request sent to the engine and the raw report it returned.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace korvel {

class frmTest : public QWidget {
public:
    frmTest(const QString& request, const QString& report, QWidget* parent = nullptr);

    QPlainTextEdit* TextRequest = nullptr;
    QPlainTextEdit* TextReport = nullptr;
};

}  // namespace korvel
