#include "vexatron_window.h"

#include "error_line.h"
#include "root_view.h"
#include "screen_key_filter.h"
#include "ui_tables.h"

#include <QApplication>
#include <QMenuBar>

VexatronWindow::VexatronWindow(RootView *rootView, std::shared_ptr<vexa::PlayerEngine> player,
                               const GlyphTable &font)
    : rootView_(rootView)
{
    setWindowTitle(QStringLiteral("Vexatron"));
    setCentralWidget(rootView_);
    QPalette face = palette();
    face.setColor(QPalette::Window, VexaChrome::colFace);
    setPalette(face);
    addFileMenu();
    ErrorLine::addTo(*menuBar(), std::move(player), font);
    keyFilter_ = std::make_unique<ScreenKeyFilter>(rootView_->screen(), *this);
    resize(sizeHint());
}

VexatronWindow::~VexatronWindow() = default;

void VexatronWindow::addFileMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *open = file->addAction(QStringLiteral("Open Module\u2026"), [this] {
        QCoreApplication::postEvent(rootView_, new QEvent(RootView::openModuleEvent()));
    });
    open->setShortcut(QKeySequence::Open);
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
}
