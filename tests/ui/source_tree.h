// The source tree the tests read resources and golden images from: the folder named by
// the environment variable VXA_SOURCE_DIR, which CTest sets to the repository's root.
#pragma once

#include <QString>

namespace uitest {

// The path of `relative` in the source tree; aborts the tests when VXA_SOURCE_DIR is unset.
QString sourcePath(const QString &relative);

} // namespace uitest
