// The middle well's splash: the program's picture scaled to cover its box, proportions
// kept and the overflow cropped at the box's edges, centred, without smoothing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

struct VexaSplashView {
    QImage picture{}; // a null picture leaves the box's face plain

    // Paints the panel face over the box, then the picture over it.
    void paint(QPainter &painter, const QRectF &box) const;
};

// Reads the splash picture with Qt's image reader; a null image when the file is missing
// or unreadable (the splash then stays plain, as the screen shows without a picture).
QImage readSplashPicture(const QString &path);
