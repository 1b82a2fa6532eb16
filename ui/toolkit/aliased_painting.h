// Turns off every smoothing render hint of a painter for as long as it lives, then puts
// the painter's hints back. The screen is pixel art: every toolkit widget and view paints
// under one, so that a caller's painter can never blur it.
#pragma once

#include <QPainter>

class AliasedPainting {
public:
    explicit AliasedPainting(QPainter &painter);
    ~AliasedPainting();
    AliasedPainting(const AliasedPainting &) = delete;
    AliasedPainting &operator=(const AliasedPainting &) = delete;

private:
    QPainter &painter_;
    QPainter::RenderHints saved_;
};
