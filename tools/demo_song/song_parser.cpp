#include "song_parser.h"

#include "cell_text.h"
#include "echo_track.h"
#include "instrument_text.h"
#include "song_error.h"
#include "source_lines.h"

#include <algorithm>
#include <map>
#include <optional>

namespace vexatron::demo {

namespace {

struct Block {
    SourceLine header;
    std::vector<SourceLine> body;
};

std::vector<Block> blocksOf(const std::vector<SourceLine> &lines)
{
    std::vector<Block> blocks;
    for (const SourceLine &line : lines) {
        if (!line.indented)
            blocks.push_back({line, {}});
        else if (blocks.empty())
            throw SongError(line.number, "an indented line needs a block above it");
        else
            blocks.back().body.push_back(line);
    }
    return blocks;
}

void expectWords(const SourceLine &line, size_t count, const std::string &usage)
{
    if (line.words.size() != count)
        throw SongError(line.number, usage);
}

class SongParser {
public:
    Song parse(const std::string &text)
    {
        for (const Block &block : blocksOf(splitSource(text)))
            readBlock(block);
        finish();
        return std::move(song_);
    }

private:
    void readBlock(const Block &block)
    {
        const std::string &keyword = block.header.words[0];
        if (keyword != "instrument" && keyword != "phrase" && keyword != "pattern" &&
            keyword != "order" && !block.body.empty())
            throw SongError(block.body[0].number, keyword + " takes no indented lines");
        if (keyword == "title")
            readTitle(block.header);
        else if (keyword == "channels")
            readChannels(block.header);
        else if (keyword == "instrument")
            addInstrument(parseInstrument(block.header, block.body), block.header.number);
        else if (keyword == "alias")
            readAlias(block.header);
        else if (keyword == "phrase")
            readPhrase(block);
        else if (keyword == "pattern")
            readPattern(block);
        else if (keyword == "order")
            readOrder(block);
        else if (keyword == "restart")
            readRestart(block.header);
        else
            throw SongError(block.header.number, "unknown keyword '" + keyword + "'");
    }

    void readTitle(const SourceLine &line)
    {
        expectWords(line, 2, "title \"text\"");
        if (line.words[1].size() > static_cast<size_t>(kTitleLength))
            throw SongError(line.number, "a title has at most 20 characters");
        song_.title = line.words[1];
    }

    void readChannels(const SourceLine &line)
    {
        expectWords(line, kChannels + 1, "channels takes four names");
        channels_.assign(line.words.begin() + 1, line.words.end());
    }

    void addInstrument(Instrument instrument, int line)
    {
        if (slots_.count(instrument.id) != 0)
            throw SongError(line, "a second instrument called " + instrument.id);
        if (slotVolumes_[static_cast<size_t>(instrument.slot)] >= 0)
            throw SongError(line, "slot " + std::to_string(instrument.slot) + " is taken");
        slots_[instrument.id] = instrument.slot;
        slotVolumes_[static_cast<size_t>(instrument.slot)] = instrument.volume;
        song_.instruments.push_back(std::move(instrument));
    }

    void readAlias(const SourceLine &line)
    {
        expectWords(line, 3, "alias <word> <cell>");
        const std::string &word = line.words[1];
        if (word == "." || word == "=" || noteNumber(word) ||
            word.find_first_of(":*@") != std::string::npos)
            throw SongError(line.number, "'" + word + "' cannot be an alias");
        aliases_[word] = line.words[2];
    }

    void readPhrase(const Block &block)
    {
        const SourceLine &header = block.header;
        if (header.words.size() < 2 || header.words.size() > 3)
            throw SongError(header.number, "phrase <name> [<instrument>]");
        CellContext context{&aliases_, &slots_, 0, std::nullopt};
        if (header.words.size() == 3) {
            const auto slot = slots_.find(header.words[2]);
            if (slot == slots_.end())
                throw SongError(header.number, "no instrument called '" + header.words[2] + "'");
            context.phraseSample = slot->second;
        }
        Track track;
        for (const SourceLine &line : block.body) {
            for (const std::string &word : line.words)
                appendCells(word, context, line.number, track);
        }
        if (!phrases_.emplace(header.words[1], std::move(track)).second)
            throw SongError(header.number, "a second phrase called " + header.words[1]);
    }

    int channelIndex(const std::string &name, int line) const
    {
        const auto found = std::find(channels_.begin(), channels_.end(), name);
        if (found == channels_.end())
            throw SongError(line, "no channel called '" + name + "'");
        return static_cast<int>(found - channels_.begin());
    }

    Track phraseTrack(const SourceLine &line) const
    {
        Track track;
        for (size_t i = 1; i < line.words.size(); ++i) {
            const std::string &word = line.words[i];
            const size_t star = word.find('*');
            const int repeat =
                star == std::string::npos ? 1 : parseNumber(word.substr(star + 1), line.number);
            if (repeat < 1)
                throw SongError(line.number, "'" + word + "' repeats a phrase no times");
            const auto phrase = phrases_.find(word.substr(0, star));
            if (phrase == phrases_.end())
                throw SongError(line.number, "no phrase called '" + word.substr(0, star) + "'");
            for (int r = 0; r < repeat; ++r)
                track.insert(track.end(), phrase->second.begin(), phrase->second.end());
        }
        return track;
    }

    Track echoOf(const SourceLine &line, const std::array<std::optional<Track>, kChannels> &tracks)
    {
        expectWords(line, 5, "<channel> echo <channel> <rows> <volume>");
        const std::optional<Track> &source =
            tracks[static_cast<size_t>(channelIndex(line.words[2], line.number))];
        if (!source)
            throw SongError(line.number, "the echoed channel must come first");
        const int rows = parseNumber(line.words[3], line.number);
        const int volume = parseNumber(line.words[4], line.number);
        if (rows < 1 || rows >= kRows || volume < 0 || volume > kMaxVolume)
            throw SongError(line.number, "an echo is 1..63 rows late at volume 0..64");
        return echoTrack(*source, rows, volume, slotVolumes_);
    }

    void readPattern(const Block &block)
    {
        expectWords(block.header, 2, "pattern <name>");
        if (channels_.empty())
            throw SongError(block.header.number, "name the channels before the patterns");
        std::array<std::optional<Track>, kChannels> tracks;
        std::vector<SourceLine> effects;
        for (const SourceLine &line : block.body) {
            if (line.words[0] == "fx") {
                effects.push_back(line);
                continue;
            }
            std::optional<Track> &track =
                tracks[static_cast<size_t>(channelIndex(line.words[0], line.number))];
            if (track)
                throw SongError(line.number, "a second track for " + line.words[0]);
            const bool echo = line.words.size() > 1 && line.words[1] == "echo";
            track = echo ? echoOf(line, tracks) : phraseTrack(line);
        }
        Pattern pattern = patternOf(block.header, tracks);
        for (const SourceLine &line : effects)
            applyEffect(line, pattern);
        checkEnding(block.header.number, pattern);
        song_.patterns.push_back(std::move(pattern));
    }

    Pattern patternOf(const SourceLine &header,
                      const std::array<std::optional<Track>, kChannels> &tracks) const
    {
        Pattern pattern;
        pattern.name = header.words[1];
        for (const Pattern &other : song_.patterns) {
            if (other.name == pattern.name)
                throw SongError(header.number, "a second pattern called " + pattern.name);
        }
        for (int c = 0; c < kChannels; ++c) {
            const std::optional<Track> &track = tracks[static_cast<size_t>(c)];
            if (!track)
                throw SongError(header.number, "no track for " + channels_[static_cast<size_t>(c)]);
            const int rows = static_cast<int>(track->size());
            if (rows < 1 || rows > kRows || (c > 0 && rows != pattern.rows))
                throw SongError(header.number, channels_[static_cast<size_t>(c)] + " has " +
                                                   std::to_string(rows) +
                                                   " rows; every track needs the same 1..64");
            pattern.rows = rows;
            for (int row = 0; row < rows; ++row)
                pattern.cells[static_cast<size_t>(row)][static_cast<size_t>(c)] =
                    (*track)[static_cast<size_t>(row)];
        }
        return pattern;
    }

    void applyEffect(const SourceLine &line, Pattern &pattern) const
    {
        expectWords(line, 4, "fx <channel> <row> <effect>");
        const int channel = channelIndex(line.words[1], line.number);
        const int row = parseNumber(line.words[2], line.number);
        if (row < 0 || row >= pattern.rows)
            throw SongError(line.number, "row " + line.words[2] + " is outside the pattern");
        Cell &cell = pattern.cells[static_cast<size_t>(row)][static_cast<size_t>(channel)];
        if (cell.hasEffect())
            throw SongError(line.number, "that cell already has an effect");
        const Cell effect = effectCell(line.words[3], line.number);
        cell.effect = effect.effect;
        cell.param = effect.param;
    }

    static void checkEnding(int line, const Pattern &pattern)
    {
        if (pattern.rows == kRows)
            return;
        for (const Cell &cell : pattern.cells[static_cast<size_t>(pattern.rows - 1)]) {
            if (cell.effect == kEffectPatternBreak || cell.effect == kEffectPositionJump)
                return;
        }
        throw SongError(line, "pattern " + pattern.name + " has " + std::to_string(pattern.rows) +
                                  " rows but no break or jump on its last row");
    }

    void readOrder(const Block &block)
    {
        std::vector<const SourceLine *> lines{&block.header};
        for (const SourceLine &line : block.body)
            lines.push_back(&line);
        for (const SourceLine *line : lines) {
            for (size_t i = line == &block.header ? 1 : 0; i < line->words.size(); ++i)
                orderNames_.emplace_back(line->words[i], line->number);
        }
    }

    void readRestart(const SourceLine &line)
    {
        expectWords(line, 2, "restart <position>");
        song_.restart = parseNumber(line.words[1], line.number);
        restartLine_ = line.number;
    }

    uint8_t patternNumber(const std::string &name, int line) const
    {
        for (size_t i = 0; i < song_.patterns.size(); ++i) {
            if (song_.patterns[i].name == name)
                return static_cast<uint8_t>(i);
        }
        throw SongError(line, "no pattern called '" + name + "'");
    }

    void finish()
    {
        if (song_.title.empty() || song_.instruments.empty() || orderNames_.empty())
            throw SongError("a song needs a title, instruments and an order");
        if (orderNames_.size() > static_cast<size_t>(kMaxOrders))
            throw SongError(orderNames_.back().second, "more than 128 song positions");
        for (const auto &[name, line] : orderNames_)
            song_.orders.push_back(patternNumber(name, line));
        for (size_t p = 0; p < song_.patterns.size(); ++p) {
            if (std::find(song_.orders.begin(), song_.orders.end(), p) == song_.orders.end())
                throw SongError("pattern " + song_.patterns[p].name + " is never played");
        }
        if (song_.restart < 0 || song_.restart >= static_cast<int>(song_.orders.size()))
            throw SongError(restartLine_, "the restart position is not a song position");
    }

    Song song_;
    std::vector<std::string> channels_;
    std::map<std::string, std::string> aliases_;
    std::map<std::string, int> slots_;
    SlotVolumes slotVolumes_ = filledSlotVolumes();
    std::map<std::string, Track> phrases_;
    std::vector<std::pair<std::string, int>> orderNames_; // with their line numbers
    int restartLine_ = 0;

    static SlotVolumes filledSlotVolumes()
    {
        SlotVolumes volumes;
        volumes.fill(-1); // -1: no instrument in the slot
        return volumes;
    }
};

} // namespace

Song parseSong(const std::string &text)
{
    return SongParser().parse(text);
}

} // namespace vexatron::demo
