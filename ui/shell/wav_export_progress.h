// The progress of one WAV export, in a progress dialog with a Cancel button, modal on the
// window: the dialog keeps the export while it runs, shows how far the song has been
// rendered, and closes itself when the render ends (the controller's notice then says
// how it ended). Cancel, or closing the dialog, cancels the export: no file is written.
// Like every progress dialog it shows only once the export takes a moment.
//
// Main thread only.
#pragma once

#include <QProgressDialog>
#include <QTimer>

#include <memory>

namespace vexa {
class WavExport;
}

class WavExportProgress : public QProgressDialog {
public:
    // Shows the progress of `running`, writing the file named `fileName`, on `parent`; the
    // dialog deletes itself when it closes.
    static WavExportProgress *start(std::unique_ptr<vexa::WavExport> running,
                                    const QString &fileName, QWidget *parent);
    ~WavExportProgress() override;

private:
    WavExportProgress(std::unique_ptr<vexa::WavExport> running, const QString &fileName,
                      QWidget *parent);
    void poll();

    std::unique_ptr<vexa::WavExport> running_;
    QTimer poller_;
};
