#include "edit_menu.h"

#include "player_engine.h"

EditMenu::EditMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent)
    : QMenu(QStringLiteral("&Edit"), parent), player_(std::move(player))
{
    undo_ = addAction(QString(), this, [this] { player_->undo(); });
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = addAction(QString(), this, [this] { player_->redo(); });
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addSeparator();
    // The sample steps of the help page's "+/- SMP"; the screen passes both keys on.
    QAction *next =
        addAction(QStringLiteral("Next Sample"), this, [this] { player_->stepSample(+1); });
    next->setShortcut(QKeySequence(Qt::Key_Plus));
    QAction *previous =
        addAction(QStringLiteral("Previous Sample"), this, [this] { player_->stepSample(-1); });
    previous->setShortcut(QKeySequence(Qt::Key_Minus));
    const auto show = [this](const auto &) { showHistory(); };
    observers_ = {player_->canUndo.observe(show), player_->canRedo.observe(show),
                  player_->undoLabel.observe(show), player_->redoLabel.observe(show)};
    showHistory();
}

EditMenu::~EditMenu()
{
    player_->canUndo.forget(observers_[0]);
    player_->canRedo.forget(observers_[1]);
    player_->undoLabel.forget(observers_[2]);
    player_->redoLabel.forget(observers_[3]);
}

void EditMenu::showHistory()
{
    undo_->setText(QString::fromStdString(player_->undoLabel()));
    undo_->setEnabled(player_->canUndo());
    redo_->setText(QString::fromStdString(player_->redoLabel()));
    redo_->setEnabled(player_->canRedo());
}
