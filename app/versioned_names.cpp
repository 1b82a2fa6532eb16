#include "versioned_names.h"

#include "vexa_io_error.h"

#include <algorithm>
#include <locale>
#include <regex>
#include <string_view>
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

// Bytes of the UTF-8 character at `i`: 2 to 4 for a lead byte followed by its
// continuation bytes, else 1 (ASCII, or a byte that starts no valid sequence).
size_t characterBytes(const std::string &text, size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t extra = lead >= 0xF8   ? 0
                         : lead >= 0xF0 ? 3
                         : lead >= 0xE0 ? 2
                         : lead >= 0xC0 ? 1
                                        : 0;
    if (i + extra >= text.size())
        return 1;
    for (size_t k = 1; k <= extra; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return extra + 1;
}

// UTF-8 to code points; a byte that starts no valid sequence stands for itself.
std::u32string decodeUtf8(const std::string &text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const size_t bytes = characterBytes(text, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = bytes == 1 ? lead : lead & (0x7F >> bytes);
        for (size_t k = 1; k < bytes; ++k)
            code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(code);
        i += bytes;
    }
    return out;
}

// As many whole characters from the start of `text` as fit in `maxBytes`.
std::string wholeCharactersWithin(const std::string &text, size_t maxBytes)
{
    size_t end = 0;
    while (end < text.size() && end + characterBytes(text, end) <= maxBytes)
        end += characterBytes(text, end);
    return text.substr(0, end);
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

// The version between "stem(VXv" and ").ext" in a file name: a run of digits with an
// optional "+", read however long it is, and held at kMaxVersion when larger (no version
// above it can be free anyway); 0 for any other name.
int versionIn(const std::string &name, const std::string &prefix, const std::string &suffix)
{
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    std::string_view number(name.data() + prefix.size(),
                            name.size() - prefix.size() - suffix.size());
    if (number.front() == '+')
        number.remove_prefix(1);
    if (number.empty())
        return 0;
    int version = 0;
    for (const char digit : number) {
        if (digit < '0' || digit > '9')
            return 0;
        version = std::min(version * 10 + (digit - '0'), kMaxVersion);
    }
    return version;
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
    // Whole characters only: a title cut inside one would not be valid UTF-8.
    const size_t room = tag.size() < kMaxTitleLength ? kMaxTitleLength - tag.size() : 0;
    return wholeCharactersWithin(base, room) + tag;
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
        const auto candidate = versionedURL(directory, stem, ext, n);
        if (!std::filesystem::exists(candidate, error))
            return {candidate, n};
    }
    throw VexaIOError(kNoFreeVersionText);
}

std::filesystem::path versionedURL(const std::filesystem::path &directory, const std::string &stem,
                                   const std::string &ext, int version)
{
    return directory / (stem + kTagOpen + std::to_string(version) + ")." + ext);
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
