// The program's entry: one application object, one VexatronApp, one window.
#include "vexatron_app.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexatron"));
    QApplication::setDesktopFileName(QStringLiteral("vexatron"));
    try {
        VexatronApp vexatron;
        vexatron.show();
        return QApplication::exec();
    } catch (const StartupError &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Vexatron"), QString::fromUtf8(error.what()));
        return 1;
    }
}
