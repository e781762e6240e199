#include "app/CCommandId.h"
#include "app/CCommandTable.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoViewerApp.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CStringTable.h"
#include "tests/support/CRecordingMessageBox.h"
#include "tests/support/CShellRecorder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

namespace {

struct Manual {
    int language;
    const char* pdf;
    const char* locale;
};

const Manual kManuals[] = {
    {CStringTable::English, QUORVEL_BIN_DIR "/Quorvel_en.pdf", "en_US.UTF-8"},
    {CStringTable::Japanese, QUORVEL_BIN_DIR "/Quorvel_jp.pdf", "ja_JP.UTF-8"},
};

// A caption as a reader sees it: no "(&F)" or "&" mnemonic, no key text after the tab, no
// trailing "...".
QString ShownCaption(const std::string& caption) {
    QString text = QString::fromStdString(caption.substr(0, caption.find('\t')));
    text.remove(QRegularExpression("\\(&.\\)"));
    text.remove('&');
    if (text.endsWith("...")) {
        text.chop(3);
    }
    return text.trimmed();
}

// Text compared as a search would: compatibility forms folded (half-width kana, ligatures) and
// no white space, so line breaks and the space in "ツール バー" don't matter.
QString Folded(const QString& text) {
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.remove(QRegularExpression("\\s"));
    return folded;
}

// Every caption the menu bar and the view's context menus show, in one language.
std::set<QString> MenuCaptions(int language) {
    std::set<QString> captions;
    for (const CCommandTable::Popup& popup : CCommandTable::Popups()) {
        if (!popup.context) {
            captions.insert(ShownCaption(CStringTable::LoadMenu(popup.id, language)));
        }
    }
    for (const CCommandTable::Row& row : CCommandTable::Rows()) {
        const std::string caption = CStringTable::LoadMenu(row.id, language);
        if (!caption.empty()) {
            captions.insert(ShownCaption(caption));
        }
    }
    return captions;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page count that pdfinfo reads; 0 when it can't read the file.
int PageCount(const char* pdf) {
    const QString info = Run("pdfinfo", {pdf});
    return QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
}

// The text of one page; with -layout, lines keep their columns.
QString PageText(const char* pdf, int page, const QStringList& options = {}) {
    const QString number = QString::number(page);
    return Run("pdftotext", options + QStringList{"-enc", "UTF-8", "-f", number, "-l", number, pdf, "-"});
}

// The page's lines that have text, folded.
QStringList Lines(const QString& text) {
    QStringList kept;
    for (const QString& line : text.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            kept << Folded(line);
        }
    }
    return kept;
}

} // namespace

// The manuals that the build makes from docs/, and the Help command that opens them.
class ManualTest : public QObject {
    Q_OBJECT

private slots:
    void shownCaptionsDropMnemonicsKeysAndEllipses();
    void manualsNameEveryMenuCommand();
    void contentsAndFootersGiveTheRightPages();
    void helpOpensTheManualOfTheInterfaceLanguage();
};

void ManualTest::shownCaptionsDropMnemonicsKeysAndEllipses() {
    QCOMPARE(ShownCaption("Open(&O)...\tF1"), QString("Open"));
    QCOMPARE(ShownCaption("Display in video size (&V)"), QString("Display in video size"));
    QCOMPARE(ShownCaption("Play(with audio)(&A)\tF6"), QString("Play(with audio)"));
    QCOMPARE(ShownCaption("E&xit"), QString("Exit"));
    QCOMPARE(Folded("最近使ったﾌｧｲﾙ"), Folded("最近使ったファイル"));
    QCOMPARE(Folded("ツール バー\n(T)"), QString("ツールバー(T)"));
}

void ManualTest::manualsNameEveryMenuCommand() {
    for (const Manual& manual : kManuals) {
        QVERIFY2(QFileInfo::exists(manual.pdf), manual.pdf);
        QVERIFY2(PageCount(manual.pdf) > 1, manual.pdf);

        const QString text = Folded(Run("pdftotext", {"-enc", "UTF-8", manual.pdf, "-"}));
        const std::set<QString> captions = MenuCaptions(manual.language);
        QVERIFY(captions.size() > 35);
        QStringList missing;
        for (const QString& caption : captions) {
            if (!text.contains(Folded(caption))) {
                missing << caption;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QString(manual.pdf) + " lacks: " + missing.join(" | ")));
    }
}

void ManualTest::contentsAndFootersGiveTheRightPages() {
    for (const Manual& manual : kManuals) {
        // The first page lists the headings, each with its page number at the right.
        const QRegularExpression entry("^\\s*(\\S.*\\S)\\s{2,}(\\d+)\\s*$");
        int entries = 0;
        for (const QString& line : PageText(manual.pdf, 1, {"-layout"}).split('\n')) {
            const QRegularExpressionMatch match = entry.match(line);
            if (match.hasMatch()) {
                ++entries;
                const QStringList target = Lines(PageText(manual.pdf, match.captured(2).toInt()));
                QVERIFY2(target.contains(Folded(match.captured(1))),
                         qPrintable(match.captured(1) + " is not on page " + match.captured(2)));
            }
        }
        QVERIFY(entries >= 10);
        // Every page ends with its own number, below everything else.
        const int pages = PageCount(manual.pdf);
        QVERIFY(pages > 1);
        QStringList previous;
        for (int page = 1; page <= pages; ++page) {
            const QStringList text = Lines(PageText(manual.pdf, page, {"-layout"}));
            QVERIFY(!text.isEmpty());
            QCOMPARE(text.last(), QString::number(page));
            // A page goes on where the one before ended: its last line is not written again.
            if (previous.size() > 1 && text.size() > 1) {
                QVERIFY2(text.first() != previous[previous.size() - 2],
                         qPrintable(QString("page %1 repeats \"%2\"").arg(page).arg(text.first())));
            }
            previous = text;
        }
    }
}

void ManualTest::helpOpensTheManualOfTheInterfaceLanguage() {
    for (const Manual& manual : kManuals) {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("LC_ALL", manual.locale);
        CVexoViewerApp app(QUORVEL_BIN_DIR "/Quorvel");
        QVERIFY(app.InitInstance({}));
        QCOMPARE(CStringTable::Language(), manual.language);
        CRecordingMessageBox box;
        IMessageBox* previousBox = CMessageBoxSeam::Install(&box);
        bool ran = false;
        std::vector<std::string> opened;
        {
            CShellRecorder shell;
            ran = app.GetMainWnd()->ExecuteCommand(CCommandId::Help);
            opened = shell.Opened;
        }
        CMessageBoxSeam::Install(previousBox);
        app.ExitInstance();
        qunsetenv("LC_ALL");
        QVERIFY(ran);
        QCOMPARE(opened, std::vector<std::string>{manual.pdf});
        QVERIFY(box.texts.empty());
    }
}

QTEST_MAIN(ManualTest)
#include "ManualTest.moc"
