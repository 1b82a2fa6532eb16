// Opening a file that comes from outside the dialogs, such as one dropped on the window.
// Its name says what it is, by the same types the open dialogs offer: a module ends in
// a module suffix or starts with one as a prefix (the Amiga's "MOD.TITLE"), a sample ends
// in a sample suffix, in any letter case. The content is not asked: the older module
// form has no signature, so almost any file would pass for one.
#include "player_engine.h"
#include "versioned_names.h"

#include <algorithm>
#include <cctype>

namespace vexa {

namespace {

enum class FileKind { module, sample, other };

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool hasSuffix(const std::string &name, const std::vector<std::string> &types)
{
    return std::any_of(types.begin(), types.end(), [&](const std::string &type) {
        return name.size() > type.size() + 1 && name.ends_with("." + type);
    });
}

bool hasPrefix(const std::string &name, const std::vector<std::string> &types)
{
    return std::any_of(types.begin(), types.end(), [&](const std::string &type) {
        return name.size() > type.size() + 1 && name.starts_with(type + ".");
    });
}

FileKind kindByName(const std::filesystem::path &file)
{
    const std::string name = lowerCase(file.filename().string());
    if (hasSuffix(name, moduleFileTypes()))
        return FileKind::module;
    if (hasSuffix(name, sampleFileTypes()))
        return FileKind::sample;
    return hasPrefix(name, moduleFileTypes()) ? FileKind::module : FileKind::other;
}

// ".mod, .nst, .nt"
std::string suffixList(const std::vector<std::string> &types)
{
    std::string list;
    for (const std::string &type : types)
        list += (list.empty() ? "." : ", .") + type;
    return list;
}

std::string cannotOpenText(const std::filesystem::path &file)
{
    return "\"" + file.filename().string() +
           "\" is neither a module nor a sample. Vexatron opens MOD modules (" +
           suffixList(moduleFileTypes()) + ") and samples (" + suffixList(sampleFileTypes()) + ").";
}

} // namespace

void PlayerEngine::open(const std::filesystem::path &file)
{
    switch (kindByName(file)) {
    case FileKind::module:
        load(file);
        break;
    case FileKind::sample:
        loadSample(file);
        break;
    case FileKind::other:
        postNotice("OPEN", cannotOpenText(file));
        break;
    }
}

} // namespace vexa
