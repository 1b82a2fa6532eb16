#include "screen/middle_band.h"

#include "screen/screen_layout.h"
#include "toolkit/label.h"

using namespace VexaScreenLayout;

namespace {

// Lays out one row's items from its left edge, 8 points apart, each centred vertically.
class RowCursor {
public:
    RowCursor(QPainter &painter, const QRectF &row) : painter_(painter), row_(row), x_(row.left())
    {
    }

    void caption(const QString &text) { label(VexaFont::titleLabel(text, VexaChrome::colInk)); }
    void value(const QString &text) { label(valueLabel(text)); }
    void box(qreal width, qreal height, const QString &text)
    {
        boxAt(x_, width, height, text);
        x_ += width + midBandGap;
    }
    // A box standing at the row's right end, after the flexible gap.
    void lastBox(qreal width, qreal height, const QString &text)
    {
        boxAt(row_.right() - width, width, height, text);
    }

private:
    static VexaFont::Label valueLabel(const QString &text)
    {
        return {.text = text,
                .color = VexaChrome::colInk,
                .scaleX = VexaChrome::buttonTitleScale,
                .scaleY = VexaChrome::buttonTitleScale};
    }
    void label(const VexaFont::Label &label)
    {
        label.paint(painter_, QPointF(x_, inkCentredTop(row_, label.scaleY)));
        x_ += label.size().width() + midBandGap;
    }
    void boxAt(qreal left, qreal width, qreal height, const QString &text)
    {
        const QRectF box(left, row_.center().y() - height / 2, width, height);
        painter_.fillRect(box, VexaChrome::colWell);
        const VexaFont::Label inside = valueLabel(text);
        inside.paint(painter_, QPointF(VexaFont::centredTopLeft(box, inside.size()).x(),
                                       inkCentredTop(box, inside.scaleY)));
    }

    QPainter &painter_;
    QRectF row_;
    qreal x_;
};

} // namespace

QString VexaMiddleBand::fitted(const std::string &text, int count)
{
    const QString upper = QString::fromStdString(text).toUpper();
    QString cut = VexaFont::leadingCharacters(upper, count).toString();
    return cut + QString(count - VexaFont::characterCount(cut), u' ');
}

void VexaMiddleBand::paint(QPainter &painter, const VexaPaintedValues &values)
{
    painter.fillRect(midBand, VexaChrome::colFace);
    for (const QRectF &line : midBandLines)
        painter.fillRect(line, VexaChrome::colShadow);

    RowCursor song(painter, songRow);
    song.box(octaveBoxW, octaveBoxH, QStringLiteral("ADD:%1").arg(values.octave));
    song.caption(QStringLiteral("SONG:"));
    song.value(fitted(values.title, titleChars));

    RowCursor sample(painter, sampleRow);
    sample.caption(QStringLiteral("SAMPLE:"));
    sample.value(fitted(values.sampleName, sampleNameChars));

    RowCursor status(painter, statusRow);
    status.box(rowBoxW, rowBoxH,
               QString::asprintf("%02X", static_cast<unsigned>(values.currentRow & 0xFF)));
    status.caption(QStringLiteral("STATUS:"));
    status.value(QString::fromStdString(values.statusPhrase));
    status.lastBox(timerBoxW, timerBoxH, QString::fromStdString(values.timerLine));
}
