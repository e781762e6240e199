#include "app/ui/CVexoViewerApp.h"
#include "app/ui/CMainFrame.h"
#include "resources/CStringTable.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;

// Start and exit of the real application object, in process, on an offscreen desktop of
// 1920 by 1080 pixels with the settings kept in a temporary configuration folder.
class CVexoViewerAppTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWritesSettingsAndCodecFile();
    void storedRectangleInsideTheDesktopIsUsedAndClosingStoresTheWindow();
    void rectangleOffTheDesktopIsReplaced();
    void windowCannotBeMadeSmallerThanTheLimit();
    void startFileAndLanguageFileAreRead();
    void programEndedBySignalStillSavesSettings();
    void signalDuringStartUpEndsTheProgramCleanly();

private:
    void startProgram(QProcess& process);
    void terminateAndExpectCleanExit(QProcess& process);
    QString dataFile(const QString& folder, const QString& name) const {
        return m_config->path() + "/Velmarro/" + folder + "/" + name;
    }
    static QString readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void write(const QString& path, const QByteArray& text) {
        fs::create_directories(fs::path(path.toStdString()).parent_path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    std::unique_ptr<QTemporaryDir> m_config;
    const std::string m_program = QUORVEL_BIN_DIR "/Quorvel";
};

void CVexoViewerAppTest::init() {
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "de_DE.UTF-8");
}

void CVexoViewerAppTest::cleanup() {
    CStringTable::SetLanguage(0);
    m_config.reset();
}

void CVexoViewerAppTest::firstStartWritesSettingsAndCodecFile() {
    {
        CVexoViewerApp app(m_program);
        QVERIFY(app.InitInstance({}));
        QCOMPARE(app.GetMainWnd()->windowTitle(), QString("Quorvel"));
        QVERIFY(app.GetMainWnd()->isVisible());
        QCOMPARE(QString::fromStdString(app.m_strDataDir), dataFile("bin", ""));
        QCOMPARE(QString::fromStdString(app.GetProfileName()), dataFile("bin", "Quorvel.ini"));
        QCOMPARE(CStringTable::Language(), 1031);
        app.GetMainWnd()->close();
        app.ExitInstance();
    }
    QCOMPARE(readAll(dataFile("bin", "Quorvel.ini")),
             QString("[Mosaic]\nSizeID=2\nHoriLengthFromCenter=50\nVertLengthFromCenter=50\n"
                     "PlaySpeedRate=1.0\nLoopPlay=0\nFilterIndex=1\nOpenFilterIndex=1\n"
                     "ImageFilterIndex=1\n\n[FFMpeg]\nTmpFile_VCodec=\nTmpFile_BitRate(k)=30000\n"
                     "TmpFile_2GLimit=1\nTmpFile_QScale(2-31)=4\n\n[Window]\nPosX=100\n"
                     "PosY=100\nWidth=1200\nHeight=800\n"));
    QFile codec(dataFile("bin", "Mosaic.cdc"));
    QVERIFY(codec.open(QIODevice::ReadOnly));
    const QByteArray bytes = codec.readAll();
    QCOMPARE(bytes.size(), 2980);
    QVERIFY(bytes.startsWith("wmv3"));
}

void CVexoViewerAppTest::storedRectangleInsideTheDesktopIsUsedAndClosingStoresTheWindow() {
    write(dataFile("bin", "Quorvel.ini"),
          "[Window]\nPosX=40\nPosY=30\nWidth=1000\nHeight=700\n[Mosaic]\nPlaySpeedRate=abc\n"
          "[FFMpeg]\nTmpFile_BitRate(k)=\n");
    write(dataFile("bin", "Mosaic.cdc"), "mine");
    CVexoViewerApp app(m_program);
    QVERIFY(app.InitInstance({}));
    QCOMPARE(app.GetMainWnd()->frameGeometry(), QRect(40, 30, 1000, 700));
    app.GetMainWnd()->move(60, 70);
    app.GetMainWnd()->resize(900 - 4, 650 - 4);
    const QRect outer = app.GetMainWnd()->frameGeometry();
    app.GetMainWnd()->close();
    app.ExitInstance();
    const QString text = readAll(dataFile("bin", "Quorvel.ini"));
    QVERIFY(text.contains(QString("[Window]\nPosX=%1\nPosY=%2\nWidth=%3\nHeight=%4\n")
                              .arg(outer.x())
                              .arg(outer.y())
                              .arg(outer.width())
                              .arg(outer.height())));
    QCOMPARE(outer.topLeft(), QPoint(60, 70));
    QVERIFY(text.contains("PlaySpeedRate=0.0\n"));
    QVERIFY(text.contains("TmpFile_BitRate(k)=30000\n"));
    QCOMPARE(readAll(dataFile("bin", "Mosaic.cdc")), QString("mine"));
}

void CVexoViewerAppTest::rectangleOffTheDesktopIsReplaced() {
    write(dataFile("bin", "Quorvel.ini"), "[Window]\nPosX=1500\nPosY=100\nWidth=1200\n");
    CVexoViewerApp app(m_program);
    QVERIFY(app.InitInstance({}));
    QCOMPARE(app.GetMainWnd()->frameGeometry(), QRect(0, 0, 800, 600));
    QCOMPARE(app.m_pSettings->WindowRect.right, 800);
    QCOMPARE(app.m_pSettings->WindowRect.bottom, 600);
    app.ExitInstance();
    QVERIFY(readAll(dataFile("bin", "Quorvel.ini"))
                .contains("[Window]\nPosX=0\nPosY=0\nWidth=800\nHeight=600\n"));
}

void CVexoViewerAppTest::windowCannotBeMadeSmallerThanTheLimit() {
    CVexoViewerApp app(m_program);
    QVERIFY(app.InitInstance({}));
    app.GetMainWnd()->resize(200, 100);
    QCOMPARE(app.GetMainWnd()->frameGeometry().size(), QSize(800, 600));
    app.ExitInstance();
}

void CVexoViewerAppTest::startFileAndLanguageFileAreRead() {
    // The program as if installed in another folder, with its own language file there.
    QTemporaryDir install;
    const fs::path program = fs::path(install.path().toStdString()) / "prog" / "Quorvel";
    fs::create_directories(program.parent_path());
    fs::create_symlink(m_program, program);
    write(QString::fromStdString((program.parent_path() / "Language.md").string()), "JAPANESE\n");
    const QString movie = install.path() + "/movie.mp4";
    write(movie, "x");

    // The file is opened once the window shows; this one is no movie, so the open reports it.
    QStringList reported;
    bool windowShown = false;
    CVexoViewerApp app(program.string());
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported << box->text();
            windowShown = app.GetMainWnd() && app.GetMainWnd()->isVisible();
            box->done(QMessageBox::Ok);
        }
    });
    answerer.start(20);
    QVERIFY(app.InitInstance({"/o", movie.toStdString()}));
    QCOMPARE(reported.size(), 1);
    QVERIFY(reported[0].contains(movie));
    QVERIFY(windowShown);
    QCOMPARE(QString::fromStdString(app.m_strStartFile), movie);
    QVERIFY(app.GetMainWnd()->IsProgressOnly());
    QCOMPARE(CStringTable::Language(), 1041);
    QCOMPARE(QString::fromStdString(CStringTable::Load(2007)), QString("モザイク"));
    QCOMPARE(QString::fromStdString(app.GetProfileName()), dataFile("prog", "Quorvel.ini"));
    app.ExitInstance();
    QVERIFY(QFile::exists(dataFile("prog", "Quorvel.ini")));
}

void CVexoViewerAppTest::startProgram(QProcess& process) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_config->path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(m_program), {});
    QVERIFY(process.waitForStarted());
    // The codec file is written during start-up, before the window exists.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dataFile("bin", "Mosaic.cdc")), 60000);
}

void CVexoViewerAppTest::terminateAndExpectCleanExit(QProcess& process) {
    process.terminate();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void CVexoViewerAppTest::programEndedBySignalStillSavesSettings() {
    QProcess process;
    startProgram(process);
    QTest::qWait(500);
    terminateAndExpectCleanExit(process);
    QVERIFY(readAll(dataFile("bin", "Quorvel.ini"))
                .contains("[Window]\nPosX=0\nPosY=0\nWidth=800\nHeight=600\n"));
}

void CVexoViewerAppTest::signalDuringStartUpEndsTheProgramCleanly() {
    QProcess process;
    startProgram(process);
    terminateAndExpectCleanExit(process);
    QVERIFY(readAll(dataFile("bin", "Quorvel.ini")).contains("[Window]\n"));
}

int main(int argc, char** argv) {
    QTemporaryDir screens;
    const QString config = screens.path() + "/screens.json";
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    file.write(R"({"screens":[{"name":"desk","x":0,"y":0,"width":1920,"height":1080}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication application(argc, argv);
    CVexoViewerAppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CVexoViewerAppTest.moc"
