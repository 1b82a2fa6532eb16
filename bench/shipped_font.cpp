#include "shipped_font.h"

#include "toolkit/vexa_font.h"

#include <QFileInfo>

bool installShippedFont()
{
    static const bool installed = [] {
        const QString path = qEnvironmentVariable("VXA_SOURCE_DIR", ".") + "/resources/ST20.FNT";
        if (QFileInfo(path).size() < static_cast<qint64>(fontFileBytes))
            return false;
        VexaFont::installGlyphs(VexaFont::loadGlyphs({path}));
        return true;
    }();
    return installed;
}
