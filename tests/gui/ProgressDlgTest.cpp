#include "app/ui/CProgressDlg.h"
#include "media/CFFMpegUtil.h"

#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

class ProgressDlgTest : public QObject {
    Q_OBJECT
private slots:
    void disablesItsOwnerWhileUp();
    void leavesADisabledOwnerDisabled();
    void percentChangesOnlyTheText();
    void marqueeHidesThePercent();
    void showsTheRunnersOutputSize();
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
    CProgressDlg dialog;
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
    CProgressDlg dialog;
    QVERIFY(dialog.Create());
    dialog.SetMarquee();
    QCOMPARE(dialog.ProgressBar()->maximum(), 0);
    QVERIFY(dialog.PercentLabel()->isHidden());
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

QTEST_MAIN(ProgressDlgTest)
#include "ProgressDlgTest.moc"
