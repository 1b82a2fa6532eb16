// The whole screen in six states a musician meets, each compared point for point with its
// golden image, all on one screen so that a part painted from stale values would show.
#include "golden.h"
#include "key_codes.h"
#include "screen_fixture.h"

using namespace uitest;

namespace {

class ScreenGoldenImages : public ScreenTest {};

} // namespace

TEST_F(ScreenGoldenImages, theWholeScreenPaintsAsReviewed)
{
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_idle"));

    click(428, 129); // the middle well: the quadrascope
    click(283, 11);  // PLAY SNG
    for (int i = 0; i < 60; ++i)
        frame();
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_playing_quadrascope"));

    click(421, 11); // STOP
    click(421, 29); // EDIT
    key(vexa::keys::tab);
    for (int i = 0; i < 3; ++i)
        key(vexa::keys::right);
    key(vexa::keys::down);
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_edit_mode"));

    for (int i = 0; i < 8; ++i)
        click(193, 86); // SAMPLE up, to a looped one
    click(554, 29);     // SMP-ED
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_smp_ed"));

    click(554, 11); // DISK OP.
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_disk_op"));

    click(598, 197); // HELP
    EXPECT_TRUE(matchesGolden(screen->canvas(), "screen_help"));
}
