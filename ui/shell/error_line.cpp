#include "error_line.h"

#include "player_engine.h"
#include "shell_tables.h"
#include "toolkit/vexa_font.h"
#include "ui_tables.h"

#include <QMenuBar>
#include <QPainter>

namespace {

constexpr int kMargin = 6; // points left and right of the text
const QString kCut = QStringLiteral("...");

} // namespace

ErrorLine *ErrorLine::addTo(QMenuBar &bar, std::shared_ptr<vexa::PlayerEngine> player,
                            const GlyphTable &font)
{
    auto *line = new ErrorLine(std::move(player), font, bar);
    bar.setCornerWidget(line);
    // Placing a corner widget shows it; the line shows only an error.
    line->showMessage(line->player_->errorMessage());
    return line;
}

ErrorLine::ErrorLine(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font,
                     QMenuBar &bar)
    : QWidget(&bar), player_(std::move(player)), font_(font)
{
    observer_ = player_->errorMessage.observe(
        [this](const std::optional<std::string> &message) { showMessage(message); });
}

ErrorLine::~ErrorLine()
{
    player_->errorMessage.forget(observer_);
}

void ErrorLine::showMessage(const std::optional<std::string> &message)
{
    text_ = QString::fromStdString(message.value_or(std::string()));
    setToolTip(text_);
    // The menu bar places its corner widget anew only when the widget is shown or hidden.
    setVisible(false);
    setVisible(!text_.isEmpty());
}

// As wide as the text, up to the room the narrowest window leaves beside the menu titles;
// as high as those titles, so that centring lines it up with them.
QSize ErrorLine::sizeHint() const
{
    const int textWidth = VexaFont::characterCount(text_) * VexaFont::advance + 2 * kMargin;
    return {std::min(textWidth, VexaShell::errorLineMaxWidth), fontMetrics().height()};
}

QSize ErrorLine::minimumSizeHint() const
{
    return {0, fontMetrics().height()};
}

void ErrorLine::paintEvent(QPaintEvent *)
{
    const int fits = std::max(0, (width() - 2 * kMargin) / VexaFont::advance);
    QString shown = text_;
    if (VexaFont::characterCount(shown) > fits)
        shown =
            VexaFont::leadingCharacters(text_, std::max<int>(0, fits - kCut.size())).toString() +
            kCut;
    QPainter painter(this);
    const int top = (height() - glyphRows) / 2;
    VexaFont::draw(painter, shown, kMargin, top, VexaChrome::colRed, 1, 1, font_);
}
