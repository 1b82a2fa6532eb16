#include "screen/default_file_names.h"

#include "versioned_names.h"

#include <QString>

namespace {

// The text trimmed of white space and line breaks at both ends, or `fallback` when that
// leaves nothing; then the suffix.
std::string trimmedName(const std::string &text, const char *fallback, const char *suffix)
{
    QString name = QString::fromStdString(text).trimmed();
    if (name.isEmpty())
        name = QString::fromLatin1(fallback);
    return (name + QString::fromLatin1(suffix)).toStdString();
}

} // namespace

std::string VexaDefaultFileNames::module(const std::string &title)
{
    return trimmedName(vexa::withoutVersionTag(title), "module", ".mod");
}

std::string VexaDefaultFileNames::sample(const std::string &sampleName)
{
    return trimmedName(sampleName, "sample", ".smp");
}

std::string VexaDefaultFileNames::wav(const std::string &title)
{
    return trimmedName(vexa::withoutVersionTag(title), "module", ".wav");
}
