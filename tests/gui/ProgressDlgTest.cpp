#include "app/ui/CProgressDlg.h"
#include "media/CFFMpegUtil.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>

class ProgressDlgTest : public QObject {
    Q_OBJECT
private slots:
    void disablesItsOwnerWhileUp();
    void blocksItsOwnerWhileItPumps();
    void leavesADisabledOwnerDisabled();
    void percentChangesOnlyTheText();
    void marqueeHidesThePercent();
    void showsTheRunnersOutputSize();
    void offersCancelAndTheTimeLeftDuringASave();
    void cancelStopsTheRunningConverter();
    void closingTheWindowCancelsOrIsIgnored();
};

void ProgressDlgTest::disablesItsOwnerWhileUp() {
    QWidget owner;
    owner.show();
    {
        CProgressDlg dialog(&owner);
        QVERIFY(dialog.Create());
        QVERIFY(dialog.isVisible());
        QVERIFY(!owner.isEnabled());
        dialog.Destroy();
        QVERIFY(owner.isEnabled());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.Create());
        QVERIFY(!owner.isEnabled());
    }
    // Gone while still up: the owner comes back as well.
    QVERIFY(owner.isEnabled());
}

// Not modal: the owner takes no input but still hears the window manager's request to close
// (the desktop test of closing during a save looks at that).
void ProgressDlgTest::blocksItsOwnerWhileItPumps() {
    QWidget owner;
    QPushButton* command = new QPushButton("command", &owner);
    int commands = 0;
    connect(command, &QPushButton::clicked, [&commands] { ++commands; });
    owner.show();
    CProgressDlg dialog(&owner);
    QCOMPARE(dialog.parentWidget(), &owner);
    QVERIFY(dialog.isWindow());
    QVERIFY(dialog.Create());
    // What the user sees between two looks of a blocked caller.
    bool seen = false;
    bool ownerEnabled = true;
    bool cancelEnabled = false;
    QTimer::singleShot(0, &dialog, [&] {
        seen = true;
        ownerEnabled = owner.isEnabled();
        cancelEnabled = dialog.CancelButton()->isEnabled();
        QTest::mouseClick(command, Qt::LeftButton);
    });
    dialog.SetCancellable(true);
    for (int look = 0; look < 100 && !seen; ++look) {
        dialog.Pump();
    }
    QVERIFY(seen);
    QVERIFY(!ownerEnabled);
    QVERIFY(cancelEnabled);
    QCOMPARE(commands, 0);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QVERIFY(dialog.CancelRequested());
    dialog.Destroy();
    QVERIFY(owner.isEnabled());
    QTest::mouseClick(command, Qt::LeftButton);
    QCOMPARE(commands, 1);
}

void ProgressDlgTest::leavesADisabledOwnerDisabled() {
    QWidget owner;
    owner.setEnabled(false);
    CProgressDlg dialog(&owner);
    QVERIFY(dialog.Create());
    QVERIFY(!dialog.OwnerDisabled());
    dialog.Destroy();
    QVERIFY(!owner.isEnabled());
}

void ProgressDlgTest::percentChangesOnlyTheText() {
    QWidget owner;
    CProgressDlg dialog(&owner);
    QCOMPARE(dialog.windowTitle(), QString("Conversion Status..."));
    QCOMPARE(dialog.PercentLabel()->text(), QString(" 0 %"));
    dialog.SetRange(0, 200);
    QVERIFY(dialog.Create());
    dialog.UpdatePercent(84);
    QCOMPARE(dialog.PercentLabel()->text(), QString("42%"));
    QCOMPARE(dialog.ProgressBar()->value(), 0);
    // An empty range is never divided by; the text stays.
    dialog.SetRange(5, 5);
    dialog.UpdatePercent(5);
    QCOMPARE(dialog.PercentLabel()->text(), QString("42%"));
    dialog.Destroy();
}

void ProgressDlgTest::marqueeHidesThePercent() {
    QWidget owner;
    CProgressDlg dialog(&owner);
    QVERIFY(dialog.Create());
    dialog.SetMarquee();
    QCOMPARE(dialog.ProgressBar()->maximum(), 0);
    QVERIFY(dialog.PercentLabel()->isHidden());
    dialog.Destroy();
    // The export that follows a conversion in the same window shows its percentage again.
    QVERIFY(dialog.Create());
    dialog.SetRange(0, 50);
    QVERIFY(dialog.PercentLabel()->isVisible());
    dialog.Destroy();
}

void ProgressDlgTest::showsTheRunnersOutputSize() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path program = folder.path().toStdString();
    std::filesystem::create_directories(program / "misc");
    std::ofstream(program / "misc" / "ffmpeg") << "#!/bin/sh\nfor last; do :; done\n"
                                                  "head -c 1572864 /dev/zero > \"$last\"\n";
    std::filesystem::permissions(program / "misc" / "ffmpeg", std::filesystem::perms::owner_all);
    QWidget owner;
    owner.show();
    CProgressDlg dialog(&owner);
    {
        CFFMpegUtil converter(program.string(), program.string(), dialog,
                              [](int) { return std::string("Format Converting"); });
        QVERIFY(
            converter.ConvertImage((program / "in.jpg").string(), (program / "out.bmp").string()));
    }
    QCOMPARE(dialog.windowTitle(), QString("Format Converting... 1.5 MB"));
    QVERIFY(!dialog.isVisible());
    QVERIFY(owner.isEnabled());
}

void ProgressDlgTest::offersCancelAndTheTimeLeftDuringASave() {
    QWidget owner;
    CProgressDlg dialog(&owner);
    QVERIFY(dialog.Create());
    QVERIFY(dialog.CancelButton()->isHidden());
    const int plainHeight = dialog.height();
    dialog.SetCancellable(true);
    QVERIFY(!dialog.CancelButton()->isHidden());
    QVERIFY(dialog.height() > plainHeight);
    dialog.SetRange(0, 300);
    dialog.SetPosition(126);
    QCOMPARE(dialog.ProgressBar()->value(), 126);
    dialog.SetTimeLeft("Time left 1:05");
    QCOMPARE(dialog.TimeLeftLabel()->text(), QString("Time left 1:05"));
    QVERIFY(!dialog.CancelRequested());
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QVERIFY(dialog.CancelRequested());
    // The next step's window starts afresh; the request stays for the save to see until then.
    dialog.Destroy();
    QVERIFY(dialog.CancelRequested());
    QVERIFY(dialog.Create());
    QVERIFY(!dialog.CancelRequested());
    QVERIFY(dialog.TimeLeftLabel()->text().isEmpty());
    dialog.SetCancellable(false);
    QVERIFY(dialog.CancelButton()->isHidden());
    QCOMPARE(dialog.height(), plainHeight);
    dialog.Destroy();
}

void ProgressDlgTest::cancelStopsTheRunningConverter() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path program = folder.path().toStdString();
    std::filesystem::create_directories(program / "misc");
    std::ofstream(program / "misc" / "ffmpeg") << "#!/bin/sh\nexec sleep 30\n";
    std::filesystem::permissions(program / "misc" / "ffmpeg", std::filesystem::perms::owner_all);
    QWidget owner;
    CProgressDlg dialog(&owner);
    dialog.SetCancellable(true);
    CFFMpegUtil converter(program.string(), program.string(), dialog,
                          [](int) { return std::string("Format Converting"); });
    QTimer::singleShot(200, &dialog, [&dialog] { dialog.CancelButton()->click(); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(converter.ConvertImage((program / "in.jpg").string(), (program / "out.bmp").string()));
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(converter.LastRun().cancelled);
    QVERIFY(!dialog.isVisible());
}

// Hidden while the work goes on, the window would take Cancel away and leave its owner
// disabled with nothing to show why.
void ProgressDlgTest::closingTheWindowCancelsOrIsIgnored() {
    QWidget owner;
    owner.show();
    CProgressDlg dialog(&owner);
    QVERIFY(dialog.Create());
    QVERIFY(!dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.CancelRequested());

    dialog.SetCancellable(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.CancelRequested());
    QVERIFY(dialog.Create());
    dialog.SetCancellable(true);
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.CancelRequested());
    QVERIFY(!owner.isEnabled());
    dialog.Destroy();
    QVERIFY(owner.isEnabled());
}

QTEST_MAIN(ProgressDlgTest)
#include "ProgressDlgTest.moc"
