#include "app/correction/ui/frm_test.h"

#include "app/desktop/ui/form_base.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace korvel {

frmTest::frmTest(const QString& request, const QString& report, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmTest"));
    setWindowTitle(QStringLiteral("送受信の表示"));
    setFont(screenFont(14));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Request"), this));
    TextRequest = new QPlainTextEdit(request, this);
    TextRequest->setReadOnly(true);
    TextRequest->setMaximumHeight(80);
    layout->addWidget(TextRequest);
    layout->addWidget(new QLabel(QStringLiteral("Report"), this));
    TextReport = new QPlainTextEdit(report, this);
    TextReport->setReadOnly(true);
    TextReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(TextReport, 1);
    resize(760, 560);
}

}  // namespace korvel
