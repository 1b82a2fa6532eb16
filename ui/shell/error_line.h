// The error line: the controller's last error (its published errorMessage, such as
// "Audio: " and why there is no sound, or a module that failed to load) in the screen's
// pixel font, in the menu bar's right-hand corner beside the menu titles, so the screen
// below keeps its 640 x 480 points. A text too long for the room is cut and ends in
// "..."; the whole text is the line's tool tip. Hidden while there is no error.
//
// Main thread only.
#pragma once

#include "published.h"
#include "toolkit/glyph_table.h"

#include <QWidget>

#include <memory>

class QMenuBar;

namespace vexa {
class PlayerEngine;
}

class ErrorLine : public QWidget {
public:
    // Puts a new error line in the right-hand corner of `bar`.
    static ErrorLine *addTo(QMenuBar &bar, std::shared_ptr<vexa::PlayerEngine> player,
                            const GlyphTable &font);
    ~ErrorLine() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ErrorLine(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font, QMenuBar &bar);
    void showMessage(const std::optional<std::string> &message);

    std::shared_ptr<vexa::PlayerEngine> player_;
    GlyphTable font_;
    QString text_;
    vexa::ObserverId observer_ = 0;
};
