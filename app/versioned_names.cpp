#include "versioned_names.h"

#include "vexa_io_error.h"

#include <algorithm>
#include <charconv>
#include <locale>
#include <regex>
#include <system_error>

namespace vexa {

namespace {

constexpr size_t kMaxTitleLength = 20; // bytes the engine keeps of a title
constexpr size_t kMaxStemLength = 32;  // characters
constexpr const char *kTagOpen = "(VXv";
constexpr const char *kDefaultStem = "MODULE";

const std::regex &tagPattern()
{
    static const std::regex pattern(R"(\(VXV\d+\))", std::regex::icase);
    return pattern;
}

bool endsWithIgnoringCase(const std::string &text, const std::string &suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

void removeSuffixOnce(std::string &text, const std::string &suffix)
{
    if (endsWithIgnoringCase(text, suffix))
        text.erase(text.size() - suffix.size());
}

// UTF-8 to code points; a byte that starts no valid sequence stands for itself.
std::u32string decodeUtf8(const std::string &text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = i + extra < text.size() || extra == 0;
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        out.push_back(valid ? code : lead);
        i += valid ? extra + 1 : 1;
    }
    return out;
}

std::string encodeUtf8(const std::u32string &codes)
{
    std::string out;
    for (char32_t c : codes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Letters and digits beyond ASCII are told by a Unicode-aware locale when the system
// has one; without it they are kept as they are.
const std::locale &unicodeLocale()
{
    static const std::locale locale = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error &) {
            return std::locale::classic();
        }
    }();
    return locale;
}

char32_t upperCase(char32_t c)
{
    if (c < 0x80)
        return static_cast<char32_t>(std::toupper(static_cast<int>(c)));
    const auto &ctype = std::use_facet<std::ctype<wchar_t>>(unicodeLocale());
    return static_cast<char32_t>(ctype.toupper(static_cast<wchar_t>(c)));
}

bool isStemCharacter(char32_t c)
{
    if (c == U'_' || c == U'-')
        return true;
    if (c < 0x80)
        return std::isalnum(static_cast<int>(c)) != 0;
    if (unicodeLocale() == std::locale::classic())
        return true;
    return std::use_facet<std::ctype<wchar_t>>(unicodeLocale())
        .is(std::ctype_base::alnum, static_cast<wchar_t>(c));
}

// The version between "stem(VXv" and ").ext" in a file name, or 0.
int versionIn(const std::string &name, const std::string &prefix, const std::string &suffix)
{
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const char *first = name.data() + prefix.size();
    const char *last = name.data() + name.size() - suffix.size();
    int version = 0;
    const auto [end, error] = std::from_chars(first, last, version);
    return error == std::errc() && end == last && version > 0 ? version : 0;
}

} // namespace

std::string withoutVersionTag(const std::string &text)
{
    return std::regex_replace(text, tagPattern(), "", std::regex_constants::format_first_only);
}

std::string stampVersion(const std::string &original, int version, const std::string &fallback)
{
    const std::string tag = kTagOpen + std::to_string(std::max(version, 1)) + ")";
    std::string base = withoutVersionTag(original.empty() ? fallback : original);
    for (const char *suffix : {".mod", ".MOD", ".smp", ".SMP"})
        removeSuffixOnce(base, suffix);
    const size_t keep = tag.size() < kMaxTitleLength ? kMaxTitleLength - tag.size() : 0;
    return base.substr(0, keep) + tag;
}

std::string sanitizedStem(const std::string &text)
{
    std::u32string codes = decodeUtf8(text);
    std::transform(codes.begin(), codes.end(), codes.begin(), upperCase);
    std::string upper = withoutVersionTag(encodeUtf8(codes));
    for (const char *suffix : {".MOD", ".SMP", ".WAV", ".RAW"})
        removeSuffixOnce(upper, suffix);
    codes = decodeUtf8(upper);
    for (char32_t &c : codes) {
        if (!isStemCharacter(c))
            c = U'_';
    }
    if (codes.empty())
        codes = decodeUtf8(kDefaultStem);
    codes.resize(std::min(codes.size(), kMaxStemLength));
    return encodeUtf8(codes);
}

std::pair<std::filesystem::path, int> nextVersionedURL(const std::filesystem::path &directory,
                                                       const std::string &stem,
                                                       const std::string &ext)
{
    const std::string prefix = stem + kTagOpen;
    const std::string suffix = ")." + ext;
    int largest = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error))
        largest = std::max(largest, versionIn(entry->path().filename().string(), prefix, suffix));
    for (int n = largest + 1; n < kMaxVersion; ++n) {
        const auto candidate = directory / (prefix + std::to_string(n) + suffix);
        if (!std::filesystem::exists(candidate, error))
            return {candidate, n};
    }
    throw VexaIOError(kNoFreeVersionText);
}

const std::vector<std::string> &moduleFileTypes()
{
    static const std::vector<std::string> types = {"mod", "nst", "nt", "tak", "tdd", "wow"};
    return types;
}

const std::vector<std::string> &sampleFileTypes()
{
    static const std::vector<std::string> types = {"smp", "sam", "raw", "wav"};
    return types;
}

} // namespace vexa
