#include "toolkit/aliased_painting.h"

namespace {

constexpr QPainter::RenderHints smoothing =
    QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform;

} // namespace

AliasedPainting::AliasedPainting(QPainter &painter)
    : painter_(painter), saved_(painter.renderHints())
{
    painter_.setRenderHints(smoothing, false);
}

AliasedPainting::~AliasedPainting()
{
    painter_.setRenderHints(saved_ & smoothing, true);
}
