// The file dialogs and the two alerts, driven as a user would: what they show, which
// files they offer, and what their buttons call back.
#include "alerts.h"
#include "file_panels.h"
#include "temp_dir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <set>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kFolderFiles = {
    "tune.mod",  "LOUD.MOD", "MOD.TITLE", "mod.quiet",  "Song.Nst", "old.wow",  "kick.smp",
    "SNARE.WAV", "hat.Raw",  "notes.txt", "modern.txt", "wav.kick", "noise.sam"};
const std::set<QString> kModules = {"tune.mod",  "LOUD.MOD", "MOD.TITLE",
                                    "mod.quiet", "Song.Nst", "old.wow"};
const std::set<QString> kSamples = {"kick.smp", "SNARE.WAV", "hat.Raw", "noise.sam"};

struct DialogCase {
    VexaFileDialog kind;
    QString title;
    QString message; // empty: no message
    QFileDialog::AcceptMode mode;
    std::set<QString> offered;
    std::string defaultName;
};

const DialogCase kDialogs[] = {
    {VexaFileDialog::loadModule, "Load Module", "Choose a MOD / Vexatron module",
     QFileDialog::AcceptOpen, kModules, ""},
    {VexaFileDialog::saveModuleAs, "Save Module As", "", QFileDialog::AcceptSave, kModules,
     "MY SONG.mod"},
    {VexaFileDialog::loadSample, "Load Sample", "Choose a sample (*.smp; *.sam; *.raw; *.wav)",
     QFileDialog::AcceptOpen, kSamples, ""},
    {VexaFileDialog::saveSampleAs, "Save Sample As", "", QFileDialog::AcceptSave, kSamples,
     "KICK.smp"},
    {VexaFileDialog::exportWav,
     "Export WAV",
     "",
     QFileDialog::AcceptSave,
     {"SNARE.WAV"},
     "MY SONG.wav"},
};

// Runs the event loop until `done` holds or a few seconds pass.
template <class Done> bool spinUntil(Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// The plain files the dialog lists in `folder`, once it has read the folder.
std::set<QString> offeredFiles(QFileDialog &dialog, const QString &folder)
{
    auto *model = dialog.findChild<QFileSystemModel *>();
    EXPECT_NE(model, nullptr);
    if (!model)
        return {};
    const QModelIndex parent = model->index(folder);
    spinUntil([&] { return model->rowCount(parent) > 0 && !model->canFetchMore(parent); });
    std::set<QString> names;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (!model->isDir(index) && model->flags(index).testFlag(Qt::ItemIsEnabled))
            names.insert(model->fileName(index));
    }
    return names;
}

QAbstractButton *acceptButton(QFileDialog &dialog)
{
    for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons()) {
        if (dialog.findChild<QDialogButtonBox *>()->buttonRole(button) ==
            QDialogButtonBox::AcceptRole)
            return button;
    }
    return nullptr;
}

QString messageOf(QFileDialog &dialog)
{
    const auto *label = dialog.findChild<QLabel *>("message");
    return label ? label->text() : QString();
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const std::string &name : kFolderFiles)
            work.write(name, {1, 2, 3});
    }
    QString folder() const { return QString::fromStdString(work.path().string()); }

    TempDir work;
};

} // namespace

TEST_F(Dialogs, showTheirTitleAndMessage_offerTheirTypesInAnyCaseAndAmigaPrefixForm)
{
    for (const DialogCase &c : kDialogs) {
        SCOPED_TRACE(c.title.toStdString());
        QFileDialog *dialog = VexaFilePanels::run(c.kind, c.defaultName, folder(), [](auto &) {});
        EXPECT_EQ(dialog->windowTitle(), c.title);
        EXPECT_EQ(messageOf(*dialog), c.message);
        EXPECT_EQ(dialog->acceptMode(), c.mode);
        EXPECT_EQ(offeredFiles(*dialog, folder()), c.offered);
        if (c.mode == QFileDialog::AcceptSave) {
            EXPECT_EQ(dialog->selectedFiles().value(0),
                      folder() + u'/' + QString::fromStdString(c.defaultName));
        }
        dialog->reject();
    }
}

TEST_F(Dialogs, okWithAFileCallsBackOnce_cancelCallsNothing)
{
    for (const DialogCase &c : kDialogs) {
        SCOPED_TRACE(c.title.toStdString());
        const std::string name = c.mode == QFileDialog::AcceptSave ? "new.mod" : "LOUD.MOD";
        std::vector<fs::path> chosen;
        auto record = [&chosen](const fs::path &file) { chosen.push_back(file); };

        VexaFilePanels::run(c.kind, c.defaultName, folder(), record)->reject();
        QFileDialog *dialog = VexaFilePanels::run(c.kind, c.defaultName, folder(), record);
        dialog->selectFile(QString::fromStdString(name));
        acceptButton(*dialog)->click();
        EXPECT_EQ(chosen, std::vector{work.path() / name});
    }
}

TEST_F(Dialogs, attachToTheVisibleWindow_whenNoneIsActive_elseRunApplicationModal)
{
    QFileDialog *alone =
        VexaFilePanels::run(VexaFileDialog::loadModule, "", folder(), [](auto &) {});
    EXPECT_EQ(alone->parentWidget(), nullptr);
    EXPECT_EQ(alone->windowModality(), Qt::ApplicationModal);
    alone->reject();

    QWidget window;
    window.show();
    QApplication::setActiveWindow(nullptr);
    QFileDialog *sheet =
        VexaFilePanels::run(VexaFileDialog::loadModule, "", folder(), [](auto &) {});
    EXPECT_EQ(sheet->parentWidget(), &window);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    sheet->reject();
}

TEST(Alerts, noticeSaysItsTitleAndMessage_andIsDismissedByOkOrEscape)
{
    for (const bool byEscape : {false, true}) {
        int dismissed = 0;
        QMessageBox *box =
            VexaAlerts::showNotice(nullptr, "SAVE", "Could not save module.", [&] { ++dismissed; });
        EXPECT_EQ(box->windowTitle(), "SAVE");
        EXPECT_EQ(box->informativeText(), "Could not save module.");
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons()[0]->text(), "OK");
        if (byEscape) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        } else {
            box->buttons()[0]->click();
        }
        EXPECT_EQ(dismissed, 1);
    }
}

TEST(Alerts, confirmationAnswersYesOnlyForItsDestructiveButton)
{
    enum class Answer { yes, no, escape };
    for (const Answer answer : {Answer::yes, Answer::no, Answer::escape}) {
        std::vector<bool> answers;
        QMessageBox *box = VexaAlerts::askConfirmation(nullptr, "CLEAR", "Clear current pattern?",
                                                       [&](bool yes) { answers.push_back(yes); });
        QPushButton *yes = nullptr, *no = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == "Yes" && box->buttonRole(button) == QMessageBox::DestructiveRole)
                yes = qobject_cast<QPushButton *>(button);
            if (button->text() == "No" && box->buttonRole(button) == QMessageBox::RejectRole)
                no = qobject_cast<QPushButton *>(button);
        }
        ASSERT_TRUE(yes && no);
        if (answer == Answer::yes)
            yes->click();
        else if (answer == Answer::no)
            no->click();
        else
            box->reject();
        EXPECT_EQ(answers, std::vector{answer == Answer::yes});
    }
}
