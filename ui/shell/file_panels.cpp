#include "file_panels.h"

#include "versioned_names.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

#include <vector>

namespace VexaFilePanels {

namespace {

enum class FileTypes { modules, samples, waves };

struct DialogSetup {
    VexaFileDialog kind;
    QFileDialog::AcceptMode mode;
    const char *title;
    const char *message; // shown above the file list; empty for none
    FileTypes types;
};

// Save dialogs may create folders, open dialogs choose one existing file of the listed
// types and nothing else.
constexpr DialogSetup kDialogs[] = {
    {VexaFileDialog::loadModule, QFileDialog::AcceptOpen, "Load Module",
     "Choose a MOD / Vexatron module", FileTypes::modules},
    {VexaFileDialog::saveModuleAs, QFileDialog::AcceptSave, "Save Module As", "",
     FileTypes::modules},
    {VexaFileDialog::loadSample, QFileDialog::AcceptOpen, "Load Sample",
     "Choose a sample (*.smp; *.sam; *.raw; *.wav)", FileTypes::samples},
    {VexaFileDialog::saveSampleAs, QFileDialog::AcceptSave, "Save Sample As", "",
     FileTypes::samples},
    {VexaFileDialog::exportWav, QFileDialog::AcceptSave, "Export WAV", "", FileTypes::waves},
};

const DialogSetup &setupFor(VexaFileDialog kind)
{
    for (const DialogSetup &setup : kDialogs) {
        if (setup.kind == kind)
            return setup;
    }
    return kDialogs[0];
}

// What the name filter calls the types, and their file name suffixes.
struct TypeList {
    const char *name;
    const std::vector<std::string> &suffixes;
};

TypeList typeList(FileTypes types)
{
    static const std::vector<std::string> waves = {"wav"};
    switch (types) {
    case FileTypes::modules:
        return {"Modules", vexa::moduleFileTypes()};
    case FileTypes::samples:
        return {"Samples", vexa::sampleFileTypes()};
    case FileTypes::waves:
        break;
    }
    return {"WAV files", waves};
}

// "Modules (*.mod mod.* ...)": every type as a suffix, and for modules as a prefix too.
QString nameFilter(FileTypes types)
{
    const TypeList list = typeList(types);
    QStringList patterns;
    for (const std::string &suffix : list.suffixes)
        patterns << QStringLiteral("*.") + QString::fromStdString(suffix);
    if (types == FileTypes::modules) {
        for (const std::string &prefix : list.suffixes)
            patterns << QString::fromStdString(prefix) + QStringLiteral(".*");
    }
    return QString::fromLatin1(list.name) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QString defaultSuffix(FileTypes types)
{
    return QString::fromStdString(typeList(types).suffixes.front());
}

// Puts the message in a row of its own above everything else in the dialog.
void addMessage(QFileDialog &dialog, const QString &message)
{
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    if (!grid)
        return;
    struct Placed {
        QLayoutItem *item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    for (int i = grid->count() - 1; i >= 0; --i) {
        Placed p{};
        grid->getItemPosition(i, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
        p.item = grid->takeAt(i);
        placed.push_back(p);
    }
    for (const Placed &p : placed)
        grid->addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);
    auto *label = new QLabel(message, &dialog);
    label->setObjectName(QStringLiteral("message"));
    grid->addWidget(label, 0, 0, 1, grid->columnCount());
}

QFileDialog *makeDialog(const DialogSetup &setup, const std::string &defaultName,
                        const QString &folder, QWidget *parent)
{
    auto *dialog =
        new QFileDialog(parent, QString::fromUtf8(setup.title), folder, nameFilter(setup.types));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(setup.mode);
    if (setup.mode == QFileDialog::AcceptSave) {
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(defaultSuffix(setup.types));
        dialog->selectFile(QString::fromStdString(defaultName));
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setOption(QFileDialog::ReadOnly); // no new folders, renames or deletions
    }
    if (*setup.message)
        addMessage(*dialog, QString::fromUtf8(setup.message));
    return dialog;
}

} // namespace

QWidget *parentWindow()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isWindow() && widget->isVisible())
            return widget;
    }
    return nullptr;
}

QFileDialog *run(VexaFileDialog kind, const std::string &defaultName, const QString &folder,
                 VexaScreenHost::FileChosen chosen)
{
    QWidget *parent = parentWindow();
    QFileDialog *dialog = makeDialog(setupFor(kind), defaultName, folder, parent);
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(dialog, &QFileDialog::accepted, [dialog, chosen = std::move(chosen)] {
        const QStringList files = dialog->selectedFiles();
        if (!files.isEmpty() && !files.front().isEmpty())
            chosen(std::filesystem::path(QFile::encodeName(files.front()).toStdString()));
    });
    dialog->show();
    return dialog;
}

} // namespace VexaFilePanels
