// Writes the splash picture from the program's font: make_splash FONT.FNT OUTPUT.png. The
// output depends on the font alone, so running it again gives the same bytes.
#include "splash_picture.h"
#include "toolkit/vexa_font.h"

#include <QFile>
#include <QImageWriter>

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_splash FONT.FNT OUTPUT.png\n";
        return 2;
    }
    const QString fontPath = QString::fromLocal8Bit(argv[1]);
    if (QFile(fontPath).size() < static_cast<qint64>(fontFileBytes)) {
        std::cerr << "make_splash: cannot read the font " << argv[1] << "\n";
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[2]), "png");
    if (!writer.write(drawSplashPicture(VexaFont::loadGlyphs({fontPath})))) {
        std::cerr << "make_splash: cannot write " << argv[2] << ": "
                  << writer.errorString().toStdString() << "\n";
        return 1;
    }
    return 0;
}
