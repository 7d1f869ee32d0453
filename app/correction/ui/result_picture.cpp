#include "app/correction/ui/result_picture.h"

#include "app/desktop/ui/form_base.h"

#include <QFontMetricsF>
#include <QPainter>

namespace korvel {

namespace {

constexpr double kStartX = 1.0;
constexpr double kStartY = 5.0;
constexpr double kWrapX = 95.0;
constexpr double kNewLineX = 5.0;

}  // namespace

ResultPicture::ResultPicture(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

ResultRuns ResultPicture::setDisplay(const QString& display)
{
    runs_ = splitResultRuns(display);
    pointSize_ = runs_.text.size() <= 100 ? 12 : 11;
    layoutPieces();
    update();
    return runs_;
}

void ResultPicture::clearPicture()
{
    runs_ = ResultRuns{};
    pieces_.clear();
    update();
}

void ResultPicture::layoutPieces()
{
    pieces_.clear();
    if (runs_.runs.isEmpty() || width() <= 0) {
        return;
    }
    const QFontMetricsF metrics(screenFont(pointSize_));
    const double unitX = width() / 100.0;
    const double unitY = height() / 100.0;
    const double lineHeight = metrics.height() / unitY;
    double x = kStartX;
    double y = kStartY;
    auto place = [&](const QString& text, bool red) {
        const double w = metrics.horizontalAdvance(text) / unitX;
        pieces_.push_back({text, red, QRectF(x * unitX, y * unitY, w * unitX, metrics.height())});
        x += w;
    };
    for (const TextRun& run : runs_.runs) {
        if (x + metrics.horizontalAdvance(run.text) / unitX <= kWrapX) {
            place(run.text, run.marked);
            continue;
        }
        for (const QChar c : run.text) {
            if (x > kWrapX) {
                y += lineHeight;
                x = kNewLineX;
            }
            place(QString(c), run.marked);
        }
    }
}

QStringList ResultPicture::redTexts() const
{
    QStringList texts;
    bool inRed = false;
    for (const Piece& piece : pieces_) {
        if (piece.red && !inRed) {
            texts.push_back(QString());
        }
        if (piece.red) {
            texts.back() += piece.text;
        }
        inRed = piece.red;
    }
    return texts;
}

int ResultPicture::lineCount() const
{
    QList<double> tops;
    for (const Piece& piece : pieces_) {
        if (!tops.contains(piece.rect.top())) {
            tops.push_back(piece.rect.top());
        }
    }
    return static_cast<int>(tops.size());
}

void ResultPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(screenFont(pointSize_));
    const QFontMetricsF metrics(painter.font());
    for (const Piece& piece : pieces_) {
        painter.setPen(piece.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        painter.drawText(QPointF(piece.rect.left(), piece.rect.top() + metrics.ascent()), piece.text);
    }
}

void ResultPicture::resizeEvent(QResizeEvent*)
{
    layoutPieces();
}

}  // namespace korvel
