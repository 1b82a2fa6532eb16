#include "error_line.h"

#include "player_engine.h"
#include "toolkit/vexa_font.h"
#include "ui_tables.h"

#include <QPainter>

namespace {

constexpr int kMargin = 6; // points left and right of the text
const QString kCut = QStringLiteral("...");

} // namespace

ErrorLine::ErrorLine(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font,
                     QWidget *parent)
    : QWidget(parent), player_(std::move(player)), font_(font)
{
    observer_ = player_->errorMessage.observe(
        [this](const std::optional<std::string> &message) { showMessage(message); });
    showMessage(player_->errorMessage());
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

// As high as the menu titles beside it, so that centring it in itself lines it up with them.
QSize ErrorLine::sizeHint() const
{
    return {VexaFont::characterCount(text_) * VexaFont::advance + 2 * kMargin,
            fontMetrics().height()};
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
