// Module and sample files through the controller: loading (and refusing damaged files
// without losing the module being edited), versioned and plain saves with every
// failure text, and the demo module from the resources.
#include "controller_fixture.h"
#include "versioned_names.h"
#include "vexa_io_error.h"

#include <fstream>

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

} // namespace

TEST(VersionedNames, stampVersionReplacesTheOldTagAndFitsTwentyCharacters)
{
    EXPECT_EQ(vexa::stampVersion("my song.mod", 1, "MODULE"), "my song(VXv1)");
    EXPECT_EQ(vexa::stampVersion("my song(VXv1)", 2, "MODULE"), "my song(VXv2)");
    EXPECT_EQ(vexa::stampVersion("ABCDEFGHIJKLMNOPQRST", 12, "MODULE"), "ABCDEFGHIJKLM(VXv12)");
    EXPECT_EQ(vexa::stampVersion("", 1, "MODULE"), "MODULE(VXv1)");
    EXPECT_EQ(vexa::stampVersion("a(vxv7)b.smp.MOD.mod", 0, "M"), "ab(VXv1)");
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
    for (const char *name :
         {"X(VXv3).mod", "X(VXv10).mod", "X(VXvabc).mod", "X(VXv99).smp", "Y(VXv50).mod"})
        std::ofstream(dir.path() / name) << "x";
    EXPECT_EQ(vexa::nextVersionedURL(dir.path(), "X", "mod"),
              std::make_pair(dir.path() / "X(VXv11).mod", 11));
    std::ofstream(dir.path() / "X(VXv9999).mod") << "x";
    EXPECT_THROW(vexa::nextVersionedURL(dir.path(), "X", "mod"), vexa::VexaIOError);
    EXPECT_EQ(vexa::nextVersionedURL(dir.path() / "missing", "X", "mod").second, 1);
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
    engine->saveModuleAs(work.path() / "missing" / "x.mod");
    EXPECT_EQ(notice(), "SAVE AS / Could not save module.");
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
    engine->loadSample(work.write("bad.raw", {1}));
    EXPECT_EQ(notice(), "LOAD SAMPLE / Failed to load sample.");
    engine->loadSample(work.write("lead synth.raw", std::vector<uint8_t>(64, 0x90)));
    drain();
    EXPECT_EQ(engine->sampleName(), "LEAD SYNTH.RAW");
    EXPECT_EQ(engine->sampleLength(), 64);
    engine->saveSampleVersioned();
    EXPECT_EQ(notice(), saved("SAVE SAMPLE", work.path() / "LEAD_SYNTH(VXv1).smp"));
    engine->saveSampleAs(work.path() / "missing" / "x.smp");
    EXPECT_EQ(notice(), "SAVE AS SAMPLE / Could not save sample.");
}
