#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFolderTest.h"

#include "base/FileSettingsStore.h"
#include "base/SettingsKeys.h"

namespace {

// A store over <folder>/config.
class FileStore : public TempFolderTest {
protected:
    void SetUp() override {
        fs::create_directory(root);
        ASSERT_TRUE(store.CreateKey(kSettingsKey));
    }

    const fs::path root = folder / "config";
    FileSettingsStore store{root};
    const fs::path settings = root / "Ventaro.2" / "Settings";
};

} // namespace

TEST_F(FileStore, KeysAreFoldersValuesAreFilesOfExactlyTheirBytesAndDeletesAreWhole) {
    EXPECT_TRUE(fs::is_directory(settings) && store.KeyExists(kSettingsKey) &&
                store.KeyExists(kProductKey) && !store.KeyExists(kWindowsKey));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Bytes(20, 1)));
    EXPECT_EQ(Read(settings / "Global"), Bytes(20, 1));
    EXPECT_EQ(store.ReadValue(kSettingsKey, kValueGlobal, 20), Bytes(20, 1));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Bytes(12, 9))); // replaced whole
    EXPECT_EQ(Read(settings / "Global"), Bytes(12, 9));
    EXPECT_EQ(Entries(settings), std::vector<std::string>{"Global"});
    // Deleting a key removes its folder and nothing beside.
    ASSERT_TRUE(store.CreateKey(kWindowsKey));
    ASSERT_TRUE(store.WriteValue(kWindowsKey, kValueBars, Bytes(8, 0)));
    EXPECT_TRUE(store.DeleteKey(kSettingsKey) && !fs::exists(settings));
    EXPECT_EQ(store.ReadValue(kWindowsKey, kValueBars, 8), Bytes(8, 0));
    EXPECT_TRUE(store.DeleteKey(kSettingsKey)); // nothing left of it
}

TEST_F(FileStore, AValueLargerThanTheLimitMissingOrNoFileIsNotTaken) {
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kValueGlobal, Bytes(21, 0)));
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueGlobal, 20));
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueHelp, 520));
    EXPECT_FALSE(store.ReadValue(kWindowsKey, kValueBars, 8));
    EXPECT_FALSE(store.WriteValue(kWindowsKey, kValueBars, Bytes(8, 0)) ||
                 fs::exists(root / "Ventaro.2" / "Windows"));
    // A FIFO does not block the read; a folder where a value belongs is left as it is.
    ASSERT_EQ(::mkfifo((settings / "Help").c_str(), 0600), 0);
    EXPECT_FALSE(store.ReadValue(kSettingsKey, kValueHelp, 520));
    fs::create_directory(settings / "EditorPrefs");
    EXPECT_FALSE(store.WriteValue(kSettingsKey, kValueEditorPrefs, Bytes(64, 0)) ||
                 store.ReadValue(kSettingsKey, kValueEditorPrefs, 64));
    EXPECT_TRUE(fs::is_directory(settings / "EditorPrefs"));
    // A key whose folder is a file.
    std::ofstream(root / "Ventaro.2" / "Windows") << "not a folder";
    EXPECT_FALSE(store.CreateKey(kWindowsKey) || store.KeyExists(kWindowsKey) ||
                 store.WriteValue(kWindowsKey, kValueBars, Bytes(8, 0)));
    EXPECT_EQ(Read(root / "Ventaro.2" / "Windows").size(), 12u);
}

TEST_F(FileStore, KeyAndValueNamesThatLeaveTheRootAreRefused) {
    for (const char* key : {"Software\\..\\escaped", "Software\\Ventaro.2\\..\\..\\escaped",
                            "Software\\a/..\\..\\escaped", "Software\\.", "Software\\", "",
                            "Software\\Ventaro.2\\\\Settings"}) {
        EXPECT_FALSE(store.CreateKey(key) || store.DeleteKey(key) || store.KeyExists(key)) << key;
    }
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"config"});
    EXPECT_EQ(Entries(root), std::vector<std::string>{"Ventaro.2"});
    for (const char* name : {"..", ".", "", "../Global", "a/b"}) {
        EXPECT_FALSE(store.WriteValue(kSettingsKey, name, Bytes(4, 0)) ||
                     store.ReadValue(kSettingsKey, name, 4))
            << name;
    }
    EXPECT_TRUE(Entries(settings).empty());
}

// Settings in a folder another user owns, or everybody may write, are neither read nor written.
TEST_F(FileStore, AFolderOthersMayWriteOrOwnIsRefused) {
    ASSERT_TRUE(store.WriteValue(kSettingsKey, "Help", Bytes{1}));
    EXPECT_EQ(fs::status(settings).permissions() & fs::perms::all, fs::perms::owner_all);
    const fs::path product = root / "Ventaro.2";
    ::chmod(product.c_str(), 0777);
    EXPECT_FALSE(store.ReadValue(kSettingsKey, "Help", 10) ||
                 store.WriteValue(kSettingsKey, "Help", Bytes{2}) || store.KeyExists(kSettingsKey));
    ::chmod(product.c_str(), 0700);
    EXPECT_EQ(store.ReadValue(kSettingsKey, "Help", 10), Bytes{1});
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(product.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(store.ReadValue(kSettingsKey, "Help", 10));
    }
}

TEST(FileStoreRoot, IsTheXdgConfigFolderOrDotConfigInHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path("/srv/conf"));
    ::setenv("XDG_CONFIG_HOME", "relative/conf", 1); // not absolute: ignored
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path(std::getenv("HOME")) / ".config");
    // Without HOME the password database names the home, never a shared folder such as /tmp.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    const passwd* user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(FileSettingsStore::UserRoot(), fs::path(user->pw_dir) / ".config");
    ::setenv("HOME", home.c_str(), 1);
    if (savedXdg) {
        ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    }
}
