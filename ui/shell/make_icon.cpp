// Writes Vexatron's icon for the desktop's icon theme from the program's font:
// make_icon FONT.FNT FOLDER writes FOLDER/NxN/apps/vexatron.png for every size.
#include "app_icon.h"
#include "shell_tables.h"
#include "toolkit/vexa_font.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_icon FONT.FNT FOLDER\n";
        return 2;
    }
    const QString fontPath = QString::fromLocal8Bit(argv[1]);
    if (QFile(fontPath).size() < static_cast<qint64>(fontFileBytes)) {
        std::cerr << "make_icon: cannot read the font " << argv[1] << "\n";
        return 1;
    }
    const GlyphTable font = VexaFont::loadGlyphs({fontPath});
    for (const int scale : VexaShell::iconScales) {
        const QImage image = VexaAppIcon::picture(font, scale);
        const QString size = QStringLiteral("%1x%1").arg(image.width());
        const QString folder =
            QString::fromLocal8Bit(argv[2]) + u'/' + size + QStringLiteral("/apps");
        QImageWriter writer(folder + QStringLiteral("/vexatron.png"), "png");
        if (!QDir().mkpath(folder) || !writer.write(image)) {
            std::cerr << "make_icon: cannot write " << writer.fileName().toStdString() << ": "
                      << writer.errorString().toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
