#include "recent_modules_menu.h"

#include "player_engine.h"
#include "shell_tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

QString settingsKey()
{
    return QString::fromLatin1(VexaShell::recentModulesKey);
}

// The path as the menu shows it: the home folder as "~", and "&" kept from becoming a
// keyboard mnemonic.
QString menuText(const QString &file)
{
    QString text = QDir::toNativeSeparators(file);
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (!home.isEmpty() && text.startsWith(home + QDir::separator()))
        text = u'~' + text.mid(home.size());
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

RecentModulesMenu::RecentModulesMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent)
    : QMenu(QStringLiteral("Open Recent"), parent), player_(std::move(player))
{
    files_ = QSettings().value(settingsKey()).toStringList().mid(0, VexaShell::recentModulesKept);
    // One item per place in the list, made once: an item is never deleted, not even by
    // its own choice removing its file.
    for (int place = 0; place < VexaShell::recentModulesKept; ++place)
        addAction(QString(), this, [this, place] { open(files_.value(place)); });
    observer_ =
        player_->moduleURL.observe([this](const std::optional<std::filesystem::path> &file) {
            if (file)
                remember(*file);
        });
    listChanged();
}

RecentModulesMenu::~RecentModulesMenu()
{
    player_->moduleURL.forget(observer_);
}

void RecentModulesMenu::remember(const std::filesystem::path &file)
{
    const QString path = QFileInfo(QFile::decodeName(file.c_str())).absoluteFilePath();
    files_.removeAll(path);
    files_.prepend(path);
    files_ = files_.mid(0, VexaShell::recentModulesKept);
    listChanged();
}

void RecentModulesMenu::open(const QString &file)
{
    if (QFileInfo(file).isFile()) {
        player_->load(QFile::encodeName(file).toStdString());
        return;
    }
    files_.removeAll(file);
    listChanged();
    const QFileInfo gone(file);
    player_->postNotice("OPEN RECENT", "\"" + gone.fileName().toStdString() +
                                           "\" is no longer in " +
                                           QDir::toNativeSeparators(gone.path()).toStdString() +
                                           ", so it was removed from the list.");
}

void RecentModulesMenu::listChanged()
{
    QSettings().setValue(settingsKey(), files_);
    const QList<QAction *> items = actions();
    for (int place = 0; place < items.size(); ++place) {
        items[place]->setVisible(place < files_.size());
        items[place]->setText(place < files_.size() ? menuText(files_[place]) : QString());
    }
    menuAction()->setEnabled(!files_.isEmpty());
}
