#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#include "TempFolderTest.h"

#include "base/FileSettingsStore.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"

namespace {

Bytes Pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i);
    }
    return bytes;
}

// A store over <folder>/config.
class FileStore : public TempFolderTest {
protected:
    void SetUp() override { fs::create_directory(root); }
    void TearDown() override { g_settingsStore = nullptr; }

    const fs::path root = folder / "config";
    FileSettingsStore store{root};
    const fs::path settings = fs::path("Ventaro.2") / "Settings";
};

} // namespace

TEST_F(FileStore, KeysAreFoldersAndValuesAreFilesOfExactlyTheirBytes) {
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    EXPECT_TRUE(fs::is_directory(root / settings));
    EXPECT_TRUE(store.KeyExists(kSettingsKey));
    EXPECT_TRUE(store.KeyExists(kProductKey));

    const Bytes global = Pattern(20, 1);
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, global));
    EXPECT_EQ(Read(root / settings / "Global"), global);
    EXPECT_EQ(store.ReadValue(kSettingsKey, kValueGlobal, 20), global);
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Pattern(12, 9))); // replaced whole
    EXPECT_EQ(Read(root / settings / "Global"), Pattern(12, 9));
    EXPECT_EQ(Entries(root / settings), std::vector<std::string>{"Global"});
}

TEST_F(FileStore, AValueLargerThanTheLimitOrMissingIsNotTaken) {
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Pattern(21, 0)));
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueGlobal, 20));
    EXPECT_FALSE(ReadRecord(store, kSettingsKey, kValueGlobal, 20));
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueHelp, 520));
    EXPECT_FALSE(store.ReadValue(kWindowsKey, kValueBars, 8));
    EXPECT_FALSE(store.WriteValue(kWindowsKey, kValueBars, Pattern(8, 0))); // key not created
    EXPECT_FALSE(fs::exists(root / "Ventaro.2" / "Windows"));
}

TEST_F(FileStore, AFifoWhereAValueBelongsIsNotTakenAndDoesNotBlock) {
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    const fs::path fifo = root / "Ventaro.2" / "Settings" / "Global";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueGlobal, 20));
}

TEST_F(FileStore, DeletingAKeyRemovesItsFolderAndNothingBeside) {
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    ASSERT_TRUE(store.CreateKey(kWindowsKey));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Pattern(20, 0)));
    ASSERT_TRUE(store.WriteValue(kWindowsKey, kValueBars, Pattern(8, 0)));
    EXPECT_TRUE(store.DeleteKey(kSettingsKey));
    EXPECT_FALSE(fs::exists(root / settings));
    EXPECT_EQ(store.ReadValue(kWindowsKey, kValueBars, 8), Pattern(8, 0));
    EXPECT_TRUE(store.DeleteKey(kSettingsKey)); // nothing left of it
}

TEST_F(FileStore, KeyAndValueNamesThatLeaveTheRootAreRefused) {
    for (const char* key : {"Software\\..\\escaped", "Software\\Ventaro.2\\..\\..\\escaped",
                            "Software\\a/..\\..\\escaped", "Software\\.", "Software\\", "",
                            "Software\\Ventaro.2\\\\Settings"}) {
        EXPECT_FALSE(store.CreateKey(key)) << key;
        EXPECT_FALSE(store.DeleteKey(key)) << key;
        EXPECT_FALSE(store.KeyExists(key)) << key;
    }
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"config"});
    EXPECT_TRUE(Entries(root).empty());

    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    for (const char* name : {"..", ".", "", "../Global", "a/b"}) {
        EXPECT_FALSE(store.WriteValue(kSettingsKey, name, Pattern(4, 0))) << name;
        EXPECT_FALSE(store.ReadValue(kSettingsKey, name, 4)) << name;
    }
    EXPECT_TRUE(Entries(root / settings).empty());
}

TEST_F(FileStore, AWriteThatCannotHappenKeepsTheOldValueAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueHelp, Pattern(520, 1)));

    // The file size limit makes the write fail half way; the old value must stay whole.
    EXPECT_FALSE(UnderSizeLimit(
        100, [&] { return store.WriteValue(kSettingsKey, kValueHelp, Pattern(520, 2)); }));
    EXPECT_EQ(Read(root / settings / "Help"), Pattern(520, 1));

    // A value whose path is a folder, and a key whose folder is a file.
    fs::create_directory(root / settings / "Global");
    EXPECT_FALSE(store.WriteValue(kSettingsKey, kValueGlobal, Pattern(20, 0)));
    EXPECT_TRUE(fs::is_directory(root / settings / "Global"));
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueGlobal, 20));
    EXPECT_EQ(Entries(root / settings), (std::vector<std::string>{"Global", "Help"}));

    std::ofstream(root / "Ventaro.2" / "Windows") << "not a folder";
    EXPECT_FALSE(store.CreateKey(kWindowsKey));
    EXPECT_FALSE(store.KeyExists(kWindowsKey));
    EXPECT_FALSE(store.WriteValue(kWindowsKey, kValueBars, Pattern(8, 0)));
    EXPECT_EQ(Read(root / "Ventaro.2" / "Windows"),
              Bytes({'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'l', 'd', 'e', 'r'}));
}

TEST_F(FileStore, GarbageValuesNeverCrashTheReadersAndLeaveUsableSettings) {
    g_settingsStore = &store;
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    ASSERT_TRUE(store.CreateKey(kWindowsKey));
    const std::tuple<const char*, const char*, std::size_t> values[] = {
        {kSettingsKey, kValueGlobal, 20},       {kSettingsKey, kValueHelp, 520},
        {kSettingsKey, kValueEditorPrefs, 64},  {kSettingsKey, kValueKeyboardMapping, 4},
        {kWindowsKey, kValueFrameWindow, 48},   {kWindowsKey, kValueBars, 8},
        {kWindowsKey, kValueAudioRecorder, 48}, {kWindowsKey, kValueMidiSend, 48},
        {kWindowsKey, kValueGlobalMemory, 48},  {kWindowsKey, kValueMidiScope, 52},
        {kWindowsKey, kValueScratchPad, 48}};
    std::mt19937 random(7);
    for (int round = 0; round < 10; ++round) {
        for (const auto& [key, name, size] : values) {
            // Mostly of the record's size, so that some pass the size check and get inspected.
            Bytes garbage(random() % 4 == 0 ? random() % (2 * size + 1) : size);
            std::generate(garbage.begin(), garbage.end(), [&] { return random(); });
            ASSERT_TRUE(store.WriteValue(key, name, garbage));
        }
        SetPreferenceDefaults();
        ReadPreferences();
        ReadWindowSettings();
        ASSERT_GE(g_preferences.global.toolTipDelay, 1);
        ASSERT_LE(g_preferences.global.toolTipDelay, 10000);
        ASSERT_TRUE(g_frame.toolBarShown == 1 || g_frame.toolBarShown == -1);
        ASSERT_TRUE(g_frame.keyboardMapping == 1 || g_frame.keyboardMapping == -1);
    }
}

TEST(FileStoreRoot, IsTheXdgConfigFolderOrDotConfigInHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path("/srv/conf"));
    ::setenv("XDG_CONFIG_HOME", "relative/conf", 1); // not absolute: ignored
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path(std::getenv("HOME")) / ".config");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path(std::getenv("HOME")) / ".config");
    // Without HOME the password database names the home, never a shared folder such as /tmp.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("HOME");
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path(user->pw_dir) / ".config");
    ::setenv("HOME", home.c_str(), 1);
    if (savedXdg) {
        ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    }
}

// Settings in a folder another user owns, or everybody may write, are neither read nor written.
TEST_F(FileStore, AFolderOthersMayWriteOrOwnIsRefused) {
    ASSERT_TRUE(store.CreateKey(kSettingsKey));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, "Help", Bytes{1}));
    EXPECT_EQ(fs::status(root / settings).permissions() & fs::perms::all, fs::perms::owner_all);
    const fs::path product = root / "Ventaro.2";
    ::chmod(product.c_str(), 0777);
    EXPECT_FALSE(store.ReadValue(kSettingsKey, "Help", 10));
    EXPECT_FALSE(store.WriteValue(kSettingsKey, "Help", Bytes{2}));
    EXPECT_FALSE(store.KeyExists(kSettingsKey));
    ::chmod(product.c_str(), 0700);
    EXPECT_EQ(store.ReadValue(kSettingsKey, "Help", 10), Bytes{1});
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(product.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(store.ReadValue(kSettingsKey, "Help", 10));
    }
}
