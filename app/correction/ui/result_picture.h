// The result picture of the correction screen: the marked sentence painted in
// runs, the marked spans in red, wrapped when a run passes the right edge.
// The picture is scaled to 100 units each way, as the text positions are given.
#pragma once

#include "app/correction/result_runs.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QWidget>

namespace korvel {

class ResultPicture : public QWidget {
public:
    struct Piece {
        QString text;
        bool red = false;
        QRectF rect;  // in pixels
    };

    explicit ResultPicture(QWidget* parent = nullptr);

    // Paints the display text; returns the split it painted (tooManySpans tells
    // the caller to show its message).
    ResultRuns setDisplay(const QString& display);
    void clearPicture();

    const QList<Piece>& pieces() const { return pieces_; }
    // The texts painted in red, one entry per marked span as painted.
    QStringList redTexts() const;
    int lineCount() const;
    int fontPointSize() const { return pointSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPieces();

    ResultRuns runs_;
    QList<Piece> pieces_;
    int pointSize_ = 12;
};

}  // namespace korvel
