// The program's entry: one application object, one VexatronApp, one window. A module
// named on the command line (as a file manager names the file it opens with Vexatron)
// is opened at start instead of the demo song.
#include "vexatron_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace {

std::optional<std::filesystem::path> moduleToOpen(const QApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays and edits four-channel MOD music."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("module"),
                                 QStringLiteral("The module to open instead of the demo song."),
                                 QStringLiteral("[module]"));
    parser.process(application); // ends the program after --help or a wrong option
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return std::nullopt;
    // Versioned saves go beside the module, so its folder must not depend on where the
    // program was started.
    return std::filesystem::path(
        QFile::encodeName(QFileInfo(files.front()).absoluteFilePath()).toStdString());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexatron"));
    QApplication::setOrganizationName(QStringLiteral("Vexatron"));
    QApplication::setDesktopFileName(QStringLiteral("vexatron"));
    const auto startModule = moduleToOpen(application);
    try {
        VexatronApp vexatron;
        vexatron.show(startModule);
        return QApplication::exec();
    } catch (const StartupError &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Vexatron"), QString::fromUtf8(error.what()));
        return 1;
    }
}
