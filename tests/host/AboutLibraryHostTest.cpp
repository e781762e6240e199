// A host program of the About dialogs library: it loads libRX40dApp_x64.so with dlopen, as
// other programs do, and shows both dialogs through the exported factories. The dialogs list
// the files of the running program's folder, so the test first copies itself into a folder
// laid out for the cases and runs the copy.
#include "resources/version/CVersionRecordBuilder.h"
#include "tests/support/TestPeImage.h"
#include "tests/support/TestShownDialog.h"
#include "versionlib/about/CAppAboutFiles.h"
#include "versionlib/about/RX40CAppAbout.h"
#include "versionlib/about/RX40CAppAboutLight.h"

#include <QTemporaryDir>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr const char* FolderVariable = "QV_ABOUT_HOST_FOLDER";

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ProgramWithRecord(std::uint16_t major, const std::string& comment) {
    CVersionRecordBuilder builder;
    builder.SetFixedFileVersion({major, 6, 7, 8});
    builder.AddStringTable("040904b0", {{"Comments", comment}});
    builder.AddTranslation(0x0409, 1200);
    return TestPeImage::WithRecord(builder.Build());
}

// The program folder of the cases.
void LayOut(const fs::path& folder) {
    const std::vector<std::uint8_t> plain{'M', 'Z'};
    WriteFile(folder / "app.exe", ProgramWithRecord(5, "Main program"));
    WriteFile(folder / "lib.DLL", ProgramWithRecord(1, "Helper"));
    for (const char* name : {"setup.exe", "mysetup64.exe", "set.exe", "readme.txt", "misc/tool.exe",
                             "old.exe/deep.exe", "old.exe/notes.txt"}) {
        WriteFile(folder / name, plain);
    }
    fs::copy_file(RX40DAPP_PATH, folder / "libRX40dApp_x64.so");
    std::ofstream(folder / "release.info") << "Release 2026-12 build\nsecond line\n";
}

// Copies this program into a fresh folder laid out for the cases and runs the copy there.
int RunInLaidOutFolder(char** argv) {
    const QTemporaryDir dir;
    const fs::path folder = fs::path(dir.path().toStdString()) / "program";
    LayOut(folder);
    const fs::path copy = folder / "about-host";
    fs::copy_file("/proc/self/exe", copy);
    setenv(FolderVariable, folder.c_str(), 1);
    const pid_t child = fork();
    if (child == 0) {
        execv(copy.c_str(), argv);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// The library as a host loads it: by path, reaching only the exported factories.
struct Library {
    Library() = default;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (handle)
            dlclose(handle);
    }
    bool Loaded() const { return createAbout != nullptr && createLight != nullptr; }

    void* handle = dlopen(RX40DAPP_PATH, RTLD_NOW | RTLD_LOCAL);
    RX40CAppAbout* (*createAbout)() =
        handle ? reinterpret_cast<RX40CAppAbout* (*)()>(dlsym(handle, "CreateAppAbout")) : nullptr;
    RX40CAppAboutLight* (*createLight)() =
        handle ? reinterpret_cast<RX40CAppAboutLight* (*)()>(dlsym(handle, "CreateAppAboutLight")) : nullptr;
};

std::vector<QString> Names(const Shown& shown) {
    std::vector<QString> names;
    for (const auto& row : shown.rows)
        names.push_back(row[0]);
    return names;
}

bool Lists(const Shown& shown, const QString& name) {
    const std::vector<QString> names = Names(shown);
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

class AboutLibraryHostTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void filtersAndKeywordsAreNormalised();
    void defaultListsExeFilesDepthFirst();
    void filterAndKeywordCases();
    void withoutRecursionOnlyTheProgramFolder();
    void versionColumnFromRealRecords();
    void headerLines();
    void ctrlTogglesTheFolderButtons();
    void lightDialog();

private:
    std::unique_ptr<RX40CAppAbout> full() { return std::unique_ptr<RX40CAppAbout>(m_library.createAbout()); }
    Shown show(RX40CAppAbout& about) {
        return WhileShown([&] { return about.DoModal(); }, 24871, 24872);
    }

    Library m_library;
    QTemporaryDir m_config;
};

void AboutLibraryHostTest::initTestCase() {
    QVERIFY(m_library.Loaded());
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void AboutLibraryHostTest::filtersAndKeywordsAreNormalised() {
    using Files = CAppAboutFiles;
    QCOMPARE(Files::NormalizeFilters({"exe", ".dll", "DLL", "..Ocx", "ocx"}),
             (std::vector<std::string>{"exe", "dll", "Ocx"}));
    QCOMPARE(Files::NormalizeKeywords({"Setup", "SETUP", "", "Old"}), (std::vector<std::string>{"setup", "old"}));
    QVERIFY(Files::Accept("Tool.EXE", {"exe"}, {}));
    QVERIFY(!Files::Accept("tool.exe.txt", {"exe"}, {}));
    QVERIFY(!Files::Accept("exe", {"exe"}, {}));
    QCOMPARE(Files::RelativeName("/p/misc/p/x.exe", "/p"), std::string("misc/p/x.exe"));
}

void AboutLibraryHostTest::defaultListsExeFilesDepthFirst() {
    auto about = full();
    Shown shown = show(*about);
    QCOMPARE(shown.result, std::intptr_t{1});
    std::vector<QString> names = Names(shown);
    // A folder's own entries come before the folder, which is listed when its name matches.
    const auto deep = std::find(names.begin(), names.end(), "old.exe/deep.exe");
    const auto folder = std::find(names.begin(), names.end(), "old.exe");
    QVERIFY(deep != names.end() && folder != names.end() && deep < folder);
    std::sort(names.begin(), names.end());
    QCOMPARE(names, (std::vector<QString>{"app.exe", "misc/tool.exe", "mysetup64.exe", "old.exe",
                                          "old.exe/deep.exe", "set.exe", "setup.exe"}));
}

void AboutLibraryHostTest::filterAndKeywordCases() {
    auto about = full();
    about->AddExtFilter(".dll");
    about->AddExtFilter("DLL");
    about->AddExcludeKeyword("Setup");
    Shown shown = show(*about);
    const std::vector<QString> names = Names(shown);
    QCOMPARE(std::count(names.begin(), names.end(), QString("lib.DLL")), 1);
    QVERIFY(Lists(shown, "set.exe"));
    QVERIFY(!Lists(shown, "setup.exe"));
    QVERIFY(!Lists(shown, "mysetup64.exe"));
    QCOMPARE(shown.rows.size(), std::size_t{6});
}

void AboutLibraryHostTest::withoutRecursionOnlyTheProgramFolder() {
    auto about = full();
    about->SetParams(nullptr, 0, 0, "");
    Shown shown = show(*about);
    QVERIFY(!Lists(shown, "misc/tool.exe"));
    QVERIFY(!Lists(shown, "old.exe/deep.exe"));
    QVERIFY(Lists(shown, "old.exe"));
    QVERIFY(Lists(shown, "app.exe"));
}

void AboutLibraryHostTest::versionColumnFromRealRecords() {
    auto about = full();
    about->AddExtFilter("so");
    about->AddExtFilter("dll");
    Shown shown = show(*about);
    std::map<QString, std::array<QString, 3>> byName;
    for (const auto& row : shown.rows)
        byName[row[0]] = row;
    QCOMPARE(byName["app.exe"][1], QString("5, 6, 7, 8"));
    QCOMPARE(byName["app.exe"][2], QString("Main program"));
    QCOMPARE(byName["lib.DLL"][1], QString("1, 6, 7, 8"));
    QCOMPARE(byName["setup.exe"][1], QString("0, 0, 0, 0"));
    QCOMPARE(byName["setup.exe"][2], QString());
    // The library's own record, as the build embeds it.
    QCOMPARE(byName["libRX40dApp_x64.so"][1], QString(QV_FIXED_VERSION));
    QVERIFY(!byName["libRX40dApp_x64.so"][2].isEmpty());
}

void AboutLibraryHostTest::headerLines() {
    auto about = full();
    Shown plain = show(*about);
    QCOMPARE(plain.text[24865], QString("Release 2026-12 build"));
    // This host carries no version record: its name and zeros, no copyright.
    QCOMPARE(plain.text[24866], QString("about-host 0, 0, 0, 0"));
    QCOMPARE(plain.text[24870], QString());
    // The library's phone number is a blank, so no phone line; the host's trademark replaces
    // the library's blank one.
    QVERIFY(!plain.visible[24863]);
    QCOMPARE(plain.text[24869], QString("Quorvel is a trademark of Velmarro."));
    QVERIFY(plain.text[24862].contains("https://velmarro.example/"));
    QVERIFY(!plain.visible[24867]);

    about->SetParams(nullptr, 1, 7, "Licensed to the test.");
    Shown withText = show(*about);
    QVERIFY(withText.visible[24867]);
    QCOMPARE(withText.text[24867], QString("Licensed to the test."));
}

void AboutLibraryHostTest::ctrlTogglesTheFolderButtons() {
    auto about = full();
    Shown shown = show(*about);
    QVERIFY(!shown.visible[24871] && !shown.visible[24872]);
    QCOMPARE(shown.buttonsAfterCtrl, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
}

void AboutLibraryHostTest::lightDialog() {
    std::unique_ptr<RX40CAppAboutLight> light(m_library.createLight());
    Shown shown = WhileShown([&] { return light->DoModal(nullptr); }, 24859, 24860);
    QCOMPARE(shown.result, std::intptr_t{1});
    QCOMPARE(shown.text[24856], QString("about-host 0, 0, 0, 0"));
    QVERIFY(shown.visible[24859] && shown.visible[24860]);
    // No settings folder yet: its button can't be used.
    QVERIFY(!shown.enabled[24860]);
    QCOMPARE(shown.buttonsAfterCtrl, (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}}));

    const fs::path settings = fs::path(m_config.path().toStdString()) / "Velmarro" / "program";
    fs::create_directories(settings);
    Shown withSettings = WhileShown([&] { return light->DoModal(nullptr); }, 24859, 24860);
    QVERIFY(withSettings.enabled[24860]);
}

int main(int argc, char** argv) {
    if (getenv(FolderVariable) == nullptr) {
        return RunInLaidOutFolder(argv);
    }
    {
        // Without a GUI the dialogs refuse to show, and nothing else breaks.
        Library library;
        if (!library.Loaded()) {
            return 2;
        }
        std::unique_ptr<RX40CAppAbout> about(library.createAbout());
        std::unique_ptr<RX40CAppAboutLight> light(library.createLight());
        if (about->DoModal() != -1 || light->DoModal(nullptr) != -1) {
            return 2;
        }
    }
    QApplication app(argc, argv);
    AboutLibraryHostTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutLibraryHostTest.moc"
