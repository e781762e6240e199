#include "app/CCommandId.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoViewerApp.h"
#include "app/ui/CStaticURL.h"
#include "platform/CShellOpenSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "resources/version/CVersionRecordBuilder.h"
#include "tests/support/CShellRecorder.h"
#include "tests/support/TestPeImage.h"
#include "versionlib/RX40CFileVersion.h"
#include "versionlib/about/CStaticLogo.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

QString WriteProgram(const QTemporaryDir& dir, const CVersionRecordBuilder& builder) {
    const std::vector<std::uint8_t> image = TestPeImage::WithRecord(builder.Build());
    const QString path = dir.filePath("program.exe");
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    return path;
}

} // namespace

class AboutDlgTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CStringTable::SetLanguage(CStringTable::English); }
    void showsTheProgramsOwnVersion();
    void versionFoundByTheFallbackSearch();
    void versionOfARecordWithoutTranslation();
    void logoLeavesItsGreyClear();
    void linksOpenTheirAddressOnly();
    void ctrlDoubleClicksOnTheSurfaceOpenTheFolders();
    void speaksJapanese();
    void versionInformationCommandShowsTheBox();

private:
    QTemporaryDir m_dir;
};

void AboutDlgTest::showsTheProgramsOwnVersion() {
    const std::string program = QUORVEL_BIN_DIR "/Quorvel";
    const std::string fileVersion = RX40CFileVersion(program).GetFileVersion();
    QVERIFY(!fileVersion.empty());
    CAboutDlg dialog(program);
    QCOMPARE(dialog.VersionLabel()->text(), QString::fromStdString("Version: " + fileVersion));
    QCOMPARE(dialog.windowTitle(), QString("Version Information"));
}

void AboutDlgTest::versionFoundByTheFallbackSearch() {
    CVersionRecordBuilder builder;
    builder.AddStringTable("040904e4", {{"FileVersion", "7.6.5.4"}});
    builder.AddTranslation(0x0411, 1200);
    CAboutDlg dialog(WriteProgram(m_dir, builder).toStdString());
    QCOMPARE(dialog.VersionLabel()->text(), QString("Version: 7.6.5.4"));
}

void AboutDlgTest::versionOfARecordWithoutTranslation() {
    CVersionRecordBuilder builder;
    builder.AddStringTable("040904b0", {{"FileVersion", "7.6.5.4"}});
    CAboutDlg dialog(WriteProgram(m_dir, builder).toStdString());
    QCOMPARE(dialog.VersionLabel()->text(), QString("Version: "));
}

void AboutDlgTest::logoLeavesItsGreyClear() {
    CAboutDlg dialog(QUORVEL_BIN_DIR "/Quorvel");
    const QImage& logo = dialog.Logo()->Painted();
    QCOMPARE(logo.size(), QSize(200, 50));
    QCOMPARE(dialog.Logo()->size(), QSize(200, 50));
    QCOMPARE(qAlpha(logo.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(logo.pixel(199, 49)), 0);
    int drawn = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            drawn += qAlpha(logo.pixel(x, y)) == 255;
    QVERIFY(drawn > 1000);
}

void AboutDlgTest::linksOpenTheirAddressOnly() {
    CShellRecorder shell;
    CAboutDlg dialog(QUORVEL_BIN_DIR "/Quorvel");
    const QString maker = QString::fromStdString(CStringTable::Load(CResourceId::MakerAddress));
    const QString update = QString::fromStdString(CStringTable::Load(CResourceId::ProductAddress));
    QVERIFY(maker.startsWith("https://") && update.startsWith("https://"));
    QCOMPARE(dialog.MakerLink()->text(), maker);
    QCOMPARE(dialog.UpdateLink()->text(), update);
    QCOMPARE(dialog.MakerLink()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(dialog.UpdateLink(), Qt::LeftButton);
    QCOMPARE(shell.Opened, std::vector<std::string>{update.toStdString()});

    // Without text there is no link: default cursor, and a click opens nothing.
    CStaticURL empty;
    empty.SetAddress("https://velmarro.example/");
    empty.SetAddress("");
    QCOMPARE(empty.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(&empty, Qt::LeftButton);
    QCOMPARE(shell.Opened.size(), std::size_t{1});
}

void AboutDlgTest::ctrlDoubleClicksOnTheSurfaceOpenTheFolders() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const std::string program = QUORVEL_BIN_DIR "/Quorvel";
    const std::string programFolder = std::filesystem::path(program).parent_path().string();
    const std::string dataFolder = (std::filesystem::path(config.path().toStdString()) / "Velmarro" /
                                    std::filesystem::path(programFolder).filename())
                                       .string();
    CShellRecorder shell;
    CAboutDlg dialog(program);
    dialog.show();
    const QPoint surface(2, 2);
    QCOMPARE(dialog.childAt(surface), nullptr);

    // Without Ctrl, or on the OK button or a link, the folders stay closed.
    QTest::mouseDClick(&dialog, Qt::LeftButton, Qt::NoModifier, surface);
    QTest::mouseDClick(&dialog, Qt::RightButton, Qt::NoModifier, surface);
    QTest::mouseDClick(dialog.OkButton(), Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseDClick(dialog.OkButton(), Qt::RightButton, Qt::ControlModifier);
    QTest::mouseDClick(dialog.MakerLink(), Qt::RightButton, Qt::ControlModifier);
    QTest::mouseDClick(dialog.MakerLink(), Qt::LeftButton, Qt::ControlModifier);
    for (const std::string& opened : shell.Opened)
        QVERIFY(opened != programFolder && opened != dataFolder);
    shell.Opened.clear();

    QTest::mouseDClick(&dialog, Qt::LeftButton, Qt::ControlModifier, surface);
    QCOMPARE(shell.Opened, std::vector<std::string>{programFolder});
    // Plain texts are part of the surface.
    QTest::mouseDClick(dialog.VersionLabel(), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(shell.Opened, (std::vector<std::string>{programFolder, programFolder}));
    shell.Opened.pop_back();
    // The data folder is made when missing, then opened.
    QTest::mouseDClick(&dialog, Qt::RightButton, Qt::ControlModifier, surface);
    QCOMPARE(shell.Opened, (std::vector<std::string>{programFolder, dataFolder}));
    QVERIFY(std::filesystem::is_directory(dataFolder));
    qunsetenv("XDG_CONFIG_HOME");
}

void AboutDlgTest::speaksJapanese() {
    CStringTable::SetLanguage(CStringTable::Japanese);
    CAboutDlg dialog(QUORVEL_BIN_DIR "/Quorvel");
    QCOMPARE(dialog.windowTitle(), QString("バージョン情報"));
    bool updateLabel = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        updateLabel = updateLabel || label->text() == QString("最新版はこちら");
    QVERIFY(updateLabel);
    QVERIFY(dialog.UpdateLink()->text().contains("/ja/"));
}

void AboutDlgTest::versionInformationCommandShowsTheBox() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    CVexoViewerApp app(QUORVEL_BIN_DIR "/Quorvel");
    QVERIFY(app.InitInstance({}));
    QVERIFY(app.GetMainWnd()->CommandStatus(CCommandId::About).enabled);
    QString shownVersion;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            shownVersion = box->VersionLabel()->text();
            box->accept();
        }
    });
    QVERIFY(app.GetMainWnd()->ExecuteCommand(CCommandId::About));
    const std::string fileVersion = RX40CFileVersion(QUORVEL_BIN_DIR "/Quorvel").GetFileVersion();
    QCOMPARE(shownVersion, QString::fromStdString("Version: " + fileVersion));
    app.ExitInstance();
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"
