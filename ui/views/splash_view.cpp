#include "views/splash_view.h"

#include "toolkit/aliased_painting.h"
#include "ui_tables.h"

#include <QImageReader>

#include <algorithm>

void VexaSplashView::paint(QPainter &painter, const QRectF &box) const
{
    const AliasedPainting aliased(painter);
    painter.fillRect(box, VexaChrome::colFace);
    if (picture.isNull())
        return;
    const qreal scale = std::max(box.width() / picture.width(), box.height() / picture.height());
    const QSizeF scaled(picture.width() * scale, picture.height() * scale);
    const QRectF target(box.center() - QPointF(scaled.width(), scaled.height()) / 2, scaled);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.drawImage(target, picture);
    painter.restore();
}

QImage readSplashPicture(const QString &path)
{
    QImageReader reader(path);
    return reader.read();
}
