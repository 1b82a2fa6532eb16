// Module and sample files through the controller: loading (and refusing damaged files
// without losing the module being edited), versioned and plain saves with every
// failure text and its reason, saves racing into one folder, and the demo module from
// the resources.
#include "controller_fixture.h"
#include "versioned_names.h"
#include "vexa_io_error.h"
#include "wave_builder.h"

#include <fstream>
#include <optional>
#include <thread>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

class FileCommands : public ControllerTest {
protected:
    // "TITLE / message" of the notice showing after the main queue ran.
    std::string notice()
    {
        drain();
        return engine->notice() ? engine->notice()->title + " / " + engine->notice()->message : "";
    }
    std::string saved(const char *title, const fs::path &file)
    {
        return std::string(title) + " / Saved:\n" + file.string();
    }
};

const std::string kE = "\u00e9";      // two bytes
const std::string kUpperE = "\u00c9"; // its upper case, as file stems have it

std::string times(int count, const std::string &text)
{
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

} // namespace

TEST(VersionedNames, stampVersionReplacesTheOldTagAndFitsTwentyBytesOfWholeCharacters)
{
    const struct {
        std::string title;
        int version;
        std::string stamped;
    } cases[] = {
        {"my song.mod", 1, "my song(VXv1)"},
        {"my song(VXv1)", 2, "my song(VXv2)"},
        {"ABCDEFGHIJKLMNOPQRST", 12, "ABCDEFGHIJKLM(VXv12)"},
        {"", 1, "MODULE(VXv1)"},
        {"a(vxv7)b.smp.MOD.mod", 0, "ab(VXv1)"},
        {"X" + times(14, kE), 1, "X" + times(6, kE) + "(VXv1)"},
        {"X" + times(24, kE), 123, "X" + times(5, kE) + "(VXv123)"},
        {times(6, "\u20ac"), 1, times(4, "\u20ac") + "(VXv1)"},
        {"a" + times(4, "\U0001F600"), 1, "a" + times(3, "\U0001F600") + "(VXv1)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vexa::stampVersion(c.title, c.version, "MODULE"), c.stamped) << c.title;
}

TEST(VersionedNames, sanitizedStemKeepsLettersDigitsUnderscoreAndDash)
{
    EXPECT_EQ(vexa::sanitizedStem("my song(VXv1).mod"), "MY_SONG");
    EXPECT_EQ(vexa::sanitizedStem("kick-drum.wav"), "KICK-DRUM");
    EXPECT_EQ(vexa::sanitizedStem("caf\u00e9 5!"), "CAF\u00c9_5_");
    EXPECT_EQ(vexa::sanitizedStem(""), "MODULE");
    EXPECT_EQ(vexa::sanitizedStem(std::string(40, 'a')), std::string(32, 'A'));
}

TEST(VersionedNames, nextVersionIsAboveTheLargestThere_untilNoneIsFree)
{
    TempDir dir;
    EXPECT_EQ(vexa::nextVersionedURL(dir.path(), "X", "mod").second, 1);
    for (const char *name : {"X(VXv3).mod", "X(VXv+10).mod", "X(VXvabc).mod", "X(VXv+).mod",
                             "X(VXv-20).mod", "X(VXv99).smp", "Y(VXv50).mod"})
        std::ofstream(dir.path() / name) << "x";
    EXPECT_EQ(vexa::nextVersionedURL(dir.path(), "X", "mod"),
              std::make_pair(dir.path() / "X(VXv11).mod", 11));
    EXPECT_EQ(vexa::nextVersionedURL(dir.path() / "missing", "X", "mod").second, 1);
    // Numbers too large for any version, however many digits, leave none free.
    for (const char *name : {"X(VXv9999).mod", "X(VXv2147483647).mod", "X(VXv99999999999).mod",
                             "X(VXv000000000000000000000012345).mod"}) {
        std::ofstream(dir.path() / name) << "x";
        try {
            vexa::nextVersionedURL(dir.path(), "X", "mod");
            ADD_FAILURE() << name;
        } catch (const vexa::VexaIOError &error) {
            EXPECT_EQ(error.errorDescription(), "Could not pick a free version name.");
        }
        fs::remove(dir.path() / name);
    }
}

TEST_F(FileCommands, versionedSavesGoBesideTheFileAndStampTheTitle_saveAsNeverStamps)
{
    loadModule(ModBuilder().title("my song.mod"));
    engine->saveModuleVersioned();
    EXPECT_EQ(notice(), saved("SAVE", work.path() / "MY_SONG(VXv1).mod"));
    EXPECT_EQ(engine->title(), "my song(VXv1)");
    EXPECT_EQ(engine->pathLabel(), "MY_SONG(VXv1).mod");
    engine->saveModuleVersioned();
    EXPECT_EQ(notice(), saved("SAVE", work.path() / "MY_SONG(VXv2).mod"));
    EXPECT_EQ(engine->title(), "my song(VXv2)");

    engine->saveModuleAs(work.path() / "copy.mod");
    EXPECT_EQ(notice(), saved("SAVE AS", work.path() / "copy.mod"));
    EXPECT_EQ(engine->title(), "my song(VXv2)");
    EXPECT_TRUE(fs::exists(work.path() / "copy.mod"));
}

TEST_F(FileCommands, versionedSavesOfAnAccentedTitle_keepWholeCharacters)
{
    loadModule(ModBuilder().title("X" + times(9, kE))); // 19 bytes
    const std::string versions[][2] = {{"X" + times(9, kUpperE) + "(VXv1).mod", "(VXv1)"},
                                       {"X" + times(6, kUpperE) + "(VXv1).mod", "(VXv1)"},
                                       {"X" + times(6, kUpperE) + "(VXv2).mod", "(VXv2)"}};
    for (const auto &[file, tag] : versions) {
        engine->saveModuleVersioned();
        EXPECT_EQ(notice(), saved("SAVE", work.path() / file));
        EXPECT_EQ(engine->title(), "X" + times(6, kE) + tag);
    }
}

TEST_F(FileCommands, saveAs_saysWhyItFailed_andNeverReplacesAReadOnlyFile)
{
    loadModule(ModBuilder().title("SONG"));
    const auto locked = work.write("locked.mod", {'o', 'l', 'd'});
    fs::permissions(locked, fs::perms::owner_read);
    const std::string failed = "SAVE AS / Could not save module.\n";
    const struct {
        fs::path file;
        std::string notice;
    } cases[] = {
        {work.path() / "copy.mod", saved("SAVE AS", work.path() / "copy.mod")},
        {work.path() / "missing" / "x.mod", failed + "The folder does not exist."},
        {locked, failed + "The file is read-only."},
        {work.path() / std::string(256, 'n'), failed + "The file name is too long."},
        {work.path(), failed + "A folder has this name."},
    };
    for (const auto &c : cases) {
        engine->saveModuleAs(c.file);
        EXPECT_EQ(notice(), c.notice) << c.file;
    }
    EXPECT_EQ(readFile(locked), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(FileCommands, versionedSavesRacingIntoOneFolder_neverOverwriteEachOther)
{
    constexpr int kSavesEach = 100;
    auto saveRepeatedly = [&](uint8_t sampleByte) {
        auto queue = std::make_shared<FakeMainQueue>();
        auto controller = vexa::PlayerEngine::create(
            {std::make_shared<FakeAudioDevice>(), queue, std::make_shared<FakeTimerService>(),
             nullptr, std::make_shared<FakeFolders>(documentsFolder.path(), work.path())});
        const auto file = work.write("race" + std::to_string(sampleByte) + ".mod",
                                     ModBuilder()
                                         .title("RACE")
                                         .sample(1, {.lengthWords = 1})
                                         .sampleData(1, {sampleByte, sampleByte})
                                         .build());
        controller->load(file);
        queue->drain();
        for (int i = 0; i < kSavesEach; ++i) {
            controller->saveModuleVersioned();
            queue->drain();
        }
    };
    std::thread other(saveRepeatedly, 1);
    saveRepeatedly(2);
    other.join();
    // Every save has its own file, whose stamped title names the file's own version.
    int versions = 0;
    for (const auto &entry : fs::directory_iterator(work.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("RACE(VXv", 0) != 0)
            continue;
        ++versions;
        const auto bytes = readFile(entry.path().string());
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + name.size() - 4),
                  name.substr(0, name.size() - 4));
    }
    EXPECT_EQ(versions, 2 * kSavesEach);
}

TEST_F(FileCommands, demoModule_loadsOnlyWithoutAModule_andSavesIntoTheDocumentsFolder)
{
    resourceFolder.write("SPACE_DEBRIS.MOD", ModBuilder().title("").build());
    loadModule(ModBuilder().title("MINE"));
    engine->loadBundledDemoIfNeeded();
    drain();
    EXPECT_EQ(engine->title(), "MINE");
    rebuild();
    engine->loadBundledDemoIfNeeded();
    drain();
    EXPECT_EQ(engine->title(), "SPACE_DEBRIS"); // an empty title shows the file name
    engine->saveModuleVersioned();
    EXPECT_EQ(notice(),
              saved("SAVE", documentsFolder.path() / "Vexatron" / "SPACE_DEBRIS(VXv1).mod"));
    EXPECT_EQ(engine->title(), "SPACE_DEBRIS(VXv1)");
    EXPECT_EQ(resourceFolder.names(), std::vector<std::string>{"SPACE_DEBRIS.MOD"});
}

TEST_F(FileCommands, damagedFile_leavesTheEditedModuleAsItWas)
{
    loadModule(ModBuilder().title("EDITED").note(0, 0, 0, 428, 1));
    engine->saveModuleVersioned(); // gives the module a file to save beside
    drain();
    const std::string label = engine->pathLabel();
    std::vector<uint8_t> damaged = ModBuilder().song(3, 0, {0, 1, 2}).build();
    damaged.resize(2000);
    engine->load(work.write("damaged.mod", damaged));
    drain();
    EXPECT_EQ(engine->errorMessage(), "Failed to load module (-1).");
    EXPECT_EQ(engine->title(), "EDITED(VXv1)");
    EXPECT_EQ(engine->pathLabel(), label);
    EXPECT_EQ(engine->patternRows()[5].cells[0], "C-201000");
    engine->saveModuleVersioned();
    EXPECT_EQ(notice(), saved("SAVE", work.path() / "EDITED(VXv2).mod"));
}

TEST_F(FileCommands, saves_withoutAModuleAreRefused)
{
    engine->saveModuleVersioned();
    EXPECT_EQ(notice(), "SAVE / No module loaded.");
    engine->saveModuleAs(work.path() / "x.mod");
    EXPECT_EQ(notice(), "SAVE AS / No module loaded.");
    engine->loadSample(work.path() / "x.raw");
    EXPECT_EQ(notice(), "LOAD SAMPLE / No module loaded.");
    engine->saveSampleVersioned();
    EXPECT_EQ(notice(), "SAVE SAMPLE / No module loaded.");
    engine->saveSampleAs(work.path() / "x.raw");
    EXPECT_EQ(notice(), "SAVE AS SAMPLE / No module loaded.");
    EXPECT_THROW(engine->saveModule(work.path() / "x.mod", 1, "M"), vexa::VexaIOError);
    EXPECT_EQ(work.names(), std::vector<std::string>{});
}

TEST_F(FileCommands, samples_loadSaveAndRefuseEmptySlots)
{
    loadModule(ModBuilder());
    engine->saveSampleVersioned();
    EXPECT_EQ(notice(), "SAVE SAMPLE / Sample is empty.");
    engine->loadSample(work.write("lead synth.raw", std::vector<uint8_t>(64, 0x90)));
    drain();
    EXPECT_EQ(engine->sampleName(), "LEAD SYNTH.RAW");
    EXPECT_EQ(engine->sampleLength(), 64);
    engine->saveSampleVersioned();
    EXPECT_EQ(notice(), saved("SAVE SAMPLE", work.path() / "LEAD_SYNTH(VXv1).smp"));
    engine->saveSampleAs(work.path() / "missing" / "x.smp");
    EXPECT_EQ(notice(), "SAVE AS SAMPLE / Could not save sample.\nThe folder does not exist.");
}

TEST_F(FileCommands, open_takesModulesAndSamplesByName_andNamesAnyOtherFile)
{
    loadModule(ModBuilder().title("EDITED"));
    const std::vector<uint8_t> module = ModBuilder().title("OPENED").build();
    const std::vector<uint8_t> sample(64, 0x90);
    const std::string refused = "OPEN / \"%\" is neither a module nor a sample. Vexatron opens "
                                "MOD modules (.mod, .nst, .nt, .tak, .tdd, .wow) and samples "
                                "(.smp, .sam, .raw, .wav).";
    const struct {
        std::string name;
        const std::vector<uint8_t> &bytes;
        std::string title;    // after opening
        int64_t sampleLength; // of the current slot, after opening
        bool refused;
    } cases[] = {
        {"notes.txt", module, "EDITED", 0, true},
        {"mod", module, "EDITED", 0, true},
        {"tune.mod.txt", module, "EDITED", 0, true},
        {"kick.SMP", sample, "EDITED", 64, false},
        {"tune.Nst", module, "OPENED", 0, false},
        {"MOD.edited", ModBuilder().title("EDITED").build(), "EDITED", 0, false},
        {"mod.kick.raw", sample, "EDITED", 64, false},
    };
    for (const auto &c : cases) {
        engine->open(work.write(c.name, c.bytes));
        std::string expected = c.refused ? refused : "";
        if (c.refused)
            expected.replace(expected.find('%'), 1, c.name);
        EXPECT_EQ(notice(), expected) << c.name;
        engine->dismissNotice();
        EXPECT_EQ(engine->title(), c.title) << c.name;
        EXPECT_EQ(engine->sampleLength(), c.sampleLength) << c.name;
    }
    EXPECT_EQ(engine->moduleURL(), work.path() / "MOD.edited");
}

TEST_F(FileCommands, sampleLoad_refusalSaysWhy_andAWaveBringsItsLoop)
{
    loadModule(ModBuilder());
    const struct {
        const char *name;
        std::optional<std::vector<uint8_t>> bytes; // none: no such file
        std::string reason;
    } cases[] = {
        {"missing.wav", std::nullopt, "The file cannot be read."},
        {"bad.raw", std::vector<uint8_t>{1}, "The file holds no sound."},
        {"huge.raw", std::vector<uint8_t>(2097153, 0x80), "The file is larger than 2 MiB."},
        {"adpcm.wav",
         riff({formatChunk({.tag = 2, .bits = 4}), {"data", std::vector<uint8_t>(64)}}),
         "This WAV format cannot be read. Readable WAV files are uncompressed 8-, 16-, 24- or "
         "32-bit PCM or 32-bit float, with any number of channels."},
    };
    for (const auto &c : cases) {
        engine->loadSample(c.bytes ? fs::path(work.write(c.name, *c.bytes)) : work.path() / c.name);
        EXPECT_EQ(notice(), "LOAD SAMPLE / Failed to load sample.\n" + c.reason) << c.name;
    }
    EXPECT_EQ(engine->sampleLength(), 0);

    engine->loadSample(work.write("loop.wav", riff({formatChunk({.channels = 2, .bits = 16}),
                                                    {"data", std::vector<uint8_t>(400)},
                                                    samplerChunk({{20, 59}})})));
    drain();
    EXPECT_EQ(engine->sampleLength(), 100);
    EXPECT_EQ(engine->sampleLoopStart(), 20);
    EXPECT_EQ(engine->sampleLoopLength(), 40);
}
