#include "screen_widget.h"

#include "screen/vexatron_screen.h"
#include "ui_tables.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// Positions are in points; a device pixel's left edge lands on a multiple of
// 1 / devicePixelRatio, give or take rounding, which this tolerance absorbs.
constexpr qreal kEdgeTolerance = 1e-6;

} // namespace

ScreenWidget::ScreenWidget(VexatronScreen &screen, QWidget *parent)
    : QWidget(parent), screen_(screen)
{
    setFixedSize(VexaCanvas::width, VexaCanvas::height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QPointF ScreenWidget::canvasPoint(QPointF logical, qreal devicePixelRatio)
{
    auto devicePixel = [devicePixelRatio](qreal point) {
        return static_cast<int>(std::floor(point * devicePixelRatio + kEdgeTolerance));
    };
    const QPoint pixel(devicePixel(logical.x()), devicePixel(logical.y()));
    return VexatronScreen::pixelCentre(pixel) / devicePixelRatio;
}

QPointF ScreenWidget::canvasPoint(const QMouseEvent &event) const
{
    return canvasPoint(event.position(), devicePixelRatioF());
}

void ScreenWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // No smoothing: every canvas pixel becomes whole device pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), screen_.canvas());
}

void ScreenWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return event->ignore();
    pressTaken_ = screen_.pointerPressed(canvasPoint(*event));
}

void ScreenWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (pressTaken_ && event->buttons().testFlag(Qt::LeftButton))
        screen_.pointerDragged(canvasPoint(*event));
}

void ScreenWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !pressTaken_)
        return event->ignore();
    pressTaken_ = false;
    screen_.pointerReleased(canvasPoint(*event));
}
