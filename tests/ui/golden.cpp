#include "golden.h"

#include "source_tree.h"

#include <QDir>

namespace uitest {

::testing::AssertionResult matchesGolden(const QImage &painted, const QString &name)
{
    const QString golden = sourcePath("tests/ui/golden/" + name + ".png");
    const QImage image = painted.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("VXA_UPDATE_GOLDEN") == 1)
        return image.save(golden)
                   ? ::testing::AssertionSuccess()
                   : ::testing::AssertionFailure() << "cannot write " << golden.toStdString();
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    if (expected == image)
        return ::testing::AssertionSuccess();
    const QString actual = QStringLiteral(VXA_ARTIFACT_DIR "/") + name + ".actual.png";
    QDir().mkpath(VXA_ARTIFACT_DIR);
    image.save(actual);
    return ::testing::AssertionFailure()
           << golden.toStdString() << " differs from the painted image, saved as "
           << actual.toStdString();
}

} // namespace uitest
