// The error line: the controller's last error (its published errorMessage, such as
// "Audio: " and why there is no sound, or a module that failed to load) in the screen's
// pixel font, in the menu bar's free right-hand corner, so the screen below keeps its
// 640 x 480 points. Too long a text is cut and ends in "..."; the whole text is the
// line's tool tip. Empty while there is no error.
//
// Main thread only.
#pragma once

#include "published.h"
#include "toolkit/glyph_table.h"

#include <QWidget>

#include <memory>

namespace vexa {
class PlayerEngine;
}

class ErrorLine : public QWidget {
public:
    ErrorLine(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font, QWidget *parent);
    ~ErrorLine() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showMessage(const std::optional<std::string> &message);

    std::shared_ptr<vexa::PlayerEngine> player_;
    GlyphTable font_;
    QString text_;
    vexa::ObserverId observer_ = 0;
};
