// The screen on the window: the screen's 640 x 480 canvas shown at exactly 640 x 480
// logical points, pixel for pixel at scale 1 and scaled by nearest neighbour at any
// device scale, so the pixel font stays crisp; pointer input goes to the screen as
// canvas points, each device pixel at its centre.
//
// Main thread only.
#pragma once

#include <QPointF>
#include <QWidget>

class VexatronScreen;

class ScreenWidget : public QWidget {
public:
    ScreenWidget(VexatronScreen &screen, QWidget *parent);

    // The canvas point of the device pixel under `logical`, a point on this widget, at
    // `devicePixelRatio` device pixels a point.
    static QPointF canvasPoint(QPointF logical, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointF canvasPoint(const QMouseEvent &event) const;

    VexatronScreen &screen_;
    bool pressTaken_ = false; // the screen took the left button's press
};
