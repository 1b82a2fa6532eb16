#include "wav_export_progress.h"

#include "shell_tables.h"
#include "wav_export.h"

WavExportProgress *WavExportProgress::start(std::unique_ptr<vexa::WavExport> running,
                                            const QString &fileName, QWidget *parent)
{
    return new WavExportProgress(std::move(running), fileName, parent);
}

WavExportProgress::WavExportProgress(std::unique_ptr<vexa::WavExport> running,
                                     const QString &fileName, QWidget *parent)
    : QProgressDialog(QStringLiteral("Exporting \u201c%1\u201d\u2026").arg(fileName),
                      QStringLiteral("Cancel"), 0, VexaShell::exportProgressSteps, parent),
      running_(std::move(running))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Export WAV"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setAutoReset(false);
    connect(this, &QProgressDialog::canceled, this, [this] {
        running_->cancel();
        close();
    });
    connect(&poller_, &QTimer::timeout, this, [this] { poll(); });
    poller_.start(VexaShell::exportPollInterval);
}

// The export's thread ends within one render piece of being cancelled.
WavExportProgress::~WavExportProgress() = default;

void WavExportProgress::poll()
{
    if (running_->done()) {
        poller_.stop();
        close();
        return;
    }
    setValue(static_cast<int>(running_->progress() * VexaShell::exportProgressSteps));
}
