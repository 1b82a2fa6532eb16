// The window on a controller with fake platform services: its menu and its error line.
#include "controller_fixture.h"
#include "error_line.h"
#include "root_view.h"
#include "vexatron_window.h"

#include <QApplication>
#include <QMenuBar>

using namespace vxtest;

namespace {

class VexatronWindowTest : public ControllerTest {};

} // namespace

TEST_F(VexatronWindowTest, errorLineShowsTheLastError_besideTheMenuTitles_howeverLong)
{
    const GlyphTable font{};
    VexatronWindow window(new RootView(engine, font, QImage(), nullptr), engine, font);
    window.show();
    QMenuBar &bar = *window.menuBar();
    QWidget *line = bar.cornerWidget();
    ASSERT_TRUE(dynamic_cast<ErrorLine *>(line));
    EXPECT_FALSE(line->isVisible()) << "an error line without an error";

    const std::string longError = "Audio engine: " + std::string(300, 'x');
    engine->setError(longError);
    drain();
    QApplication::processEvents(); // the menu bar lays out its corner later
    const QRect file = bar.actionGeometry(bar.actions().front());
    EXPECT_EQ(bar.actions().front()->text(), "&File");
    EXPECT_TRUE(bar.rect().contains(file)) << "the File menu was pushed off the bar";
    EXPECT_TRUE(line->isVisible());
    EXPECT_GT(line->geometry().left(), file.right());
    EXPECT_LE(line->geometry().right(), bar.rect().right());
    EXPECT_EQ(line->toolTip().toStdString(), longError);
    EXPECT_EQ(window.width(), 640) << "the error widened the window";
}
