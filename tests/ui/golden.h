// Golden images: a view painted headless is compared point for point with a committed
// PNG in tests/ui/golden. With VXA_UPDATE_GOLDEN=1 in the environment the painted image
// replaces the committed one instead (tests/ui/golden/regenerate), for a person to review.
// A mismatch writes the painted image to the build's artifacts folder beside the name.
#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace uitest {

::testing::AssertionResult matchesGolden(const QImage &painted, const QString &name);

} // namespace uitest
