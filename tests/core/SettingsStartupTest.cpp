#include "app/CInifileManager.h"
#include "app/CRecentFileList.h"
#include "app/CStartCommandLine.h"
#include "app/CWindowPlacement.h"
#include "platform/CProgramFolders.h"
#include "resources/CCodecSettingsBlob.h"
#include "tests/core/SettingsTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(SettingsStartupTest, DomainAccountsAreThoseWithAnotherDomain) {
    EXPECT_TRUE(CProgramFolders::IsDomainAccount("anna@CORP", "pc-17"));
    EXPECT_TRUE(CProgramFolders::IsDomainAccount("CORP\\anna", "pc-17.corp.example"));
    EXPECT_FALSE(CProgramFolders::IsDomainAccount("PC-17\\anna", "pc-17"));
    EXPECT_FALSE(CProgramFolders::IsDomainAccount("anna@pc-17", "PC-17.local"));
    EXPECT_FALSE(CProgramFolders::IsDomainAccount("anna", "pc-17"));
    EXPECT_FALSE(CProgramFolders::IsDomainAccount("anna@", "pc-17"));
}

TEST(SettingsStartupTest, ModuleFolderIsTheExecutablesFolder) {
    const fs::path folder = CProgramFolders::GetModuleFolder();
    EXPECT_TRUE(fs::equivalent(folder, fs::path(QUORVEL_BIN_DIR).parent_path() / "tests"));
    EXPECT_EQ(fs::path(CProgramFolders::GetModulePath()).filename(), "quorvel-core-tests");
}

TEST(SettingsStartupTest, UserDataFolderIsBuiltAndCreated) {
    SettingsTestFolder home;
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = savedXdg ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    const std::string folder = CProgramFolders::GetUserDataFolder("/opt/Quorvel App///");
    EXPECT_EQ(folder, home.Path() + "/Velmarro/Quorvel App");
    EXPECT_TRUE(fs::is_directory(folder));

    // A relative configuration folder is not valid; the home folder's .config serves.
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    const char* savedHome = std::getenv("HOME");
    const std::string homeBefore = savedHome ? savedHome : "";
    ::setenv("HOME", home.Path().c_str(), 1);
    EXPECT_EQ(CProgramFolders::GetUserDataFolder("/usr/lib/bin"),
              home.Path() + "/.config/Velmarro/bin");
    ::setenv("HOME", homeBefore.c_str(), 1);
    if (savedXdg) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(SettingsStartupTest, StartFileComesOnlyAfterAnOpenSwitch) {
    SettingsTestFolder folder;
    folder.Write("movie.mp4", "x");
    folder.Write("other.avi", "x");
    const std::string movie = folder.File("movie.mp4");
    const std::string other = folder.File("other.avi");
    EXPECT_EQ(CStartCommandLine::StartFile({movie}), "");
    EXPECT_EQ(CStartCommandLine::StartFile({"/o", movie}), movie);
    EXPECT_EQ(CStartCommandLine::StartFile({"-O", movie}), movie);
    EXPECT_EQ(CStartCommandLine::StartFile({"/O", folder.File("missing.mp4")}), "");
    EXPECT_EQ(CStartCommandLine::StartFile({"/O", movie, "-o", other}), other);
    EXPECT_EQ(CStartCommandLine::StartFile({"/O", movie, "/O", folder.File("gone")}), movie);
    EXPECT_EQ(CStartCommandLine::StartFile({"/O", folder.Path()}), "");
    EXPECT_EQ(CStartCommandLine::StartFile({"/Open", movie}), "");
    EXPECT_EQ(CStartCommandLine::StartFile({movie, "/O"}), "");
}

TEST(SettingsStartupTest, CodecSettingsAreWrittenOnceAndNeverOverwritten) {
    ASSERT_EQ(CCodecSettingsBlob::Bytes().size(), 2980u);
    EXPECT_EQ(CCodecSettingsBlob::Bytes().substr(0, 4), "wmv3");
    SettingsTestFolder folder;
    const std::string path = folder.File("Mosaic.cdc");
    EXPECT_TRUE(CCodecSettingsBlob::WriteIfMissing(path));
    EXPECT_EQ(folder.Read("Mosaic.cdc"), CCodecSettingsBlob::Bytes());
    folder.Write("Mosaic.cdc", "mine");
    EXPECT_FALSE(CCodecSettingsBlob::WriteIfMissing(path));
    EXPECT_EQ(folder.Read("Mosaic.cdc"), "mine");
    EXPECT_FALSE(CCodecSettingsBlob::WriteIfMissing(folder.File("none/Mosaic.cdc")));
}

TEST(SettingsStartupTest, RecentFilesKeepFourNewestFirstBesideTheSettings) {
    SettingsTestFolder folder;
    folder.Write("Quorvel.ini", "[Mosaic]\nSizeID=3\n");
    CRecentFileList list(folder.File("Quorvel.ini"));
    for (const char* file : {"/a", "/b", "/c", "/d", "/e", "/c"}) {
        list.Add(file);
    }
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.Save();
    list.Remove(0);
    list.Save();

    CRecentFileList loaded(folder.File("Quorvel.ini"));
    loaded.Load();
    EXPECT_EQ(loaded.Files(), (std::vector<std::string>{"/e", "/d", "/b"}));
    const std::string text = folder.Read("Quorvel.ini");
    EXPECT_EQ(text.find("File4"), std::string::npos);
    EXPECT_EQ(text.rfind("[Mosaic]\nSizeID=3\n", 0), 0u);
}

TEST(SettingsStartupTest, WithoutAFolderNothingIsWrittenAnywhere) {
    SettingsTestFolder folder;
    folder.Write(".tmp", "mine");
    const fs::path saved = fs::current_path();
    fs::current_path(folder.Path());
    {
        CInifileManager settings("");
        EXPECT_EQ(settings.SizeID, 2);
        settings.SizeID = 5;
        CRecentFileList recent("");
        recent.Add("/a");
        recent.Save();
    }
    fs::current_path(saved);
    EXPECT_EQ(folder.Read(".tmp"), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(SettingsStartupTest, WindowOpensAtTheStoredRectOnlyWhenWhollyInside) {
    const CWindowPlacement::Rect work{0, 0, 1920, 1040};
    const auto same = [](const CWindowPlacement::Rect& a, const CWindowPlacement::Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(CWindowPlacement::Choose({100, 100, 1300, 900}, work), {100, 100, 1300, 900}));
    EXPECT_TRUE(same(CWindowPlacement::Choose({0, 0, 1920, 1040}, work), {0, 0, 1920, 1040}));
    EXPECT_TRUE(same(CWindowPlacement::Choose({2000, 100, 3200, 900}, work), {0, 0, 800, 600}));
    EXPECT_TRUE(same(CWindowPlacement::Choose({-1, 100, 1199, 900}, work), {0, 0, 800, 600}));
    EXPECT_TRUE(same(CWindowPlacement::Choose({100, 100, 1300, 1041}, work), {0, 0, 800, 600}));
    EXPECT_TRUE(same(CWindowPlacement::Choose({100, 100, 1300, 900}, {}), {0, 0, 800, 600}));
}

} // namespace
