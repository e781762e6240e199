#include "app/ui/CQtFileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <functional>

// The desktop's file dialog as the program shows it for a save, on the offscreen platform.
class FileDialogTest : public QObject {
    Q_OBJECT
private slots:
    void filterCaptionsNameTheirPatternsOnce();
    void saveDialogHidesWorkingFilesProposesANameAndAsksNothing();

private:
    // Runs the dialog of request and hands it to look once it is up.
    IFileDialog::Answer WhileShown(const IFileDialog::Request& request,
                                   const std::function<void(QFileDialog&)>& look);
};

void FileDialogTest::filterCaptionsNameTheirPatternsOnce() {
    QCOMPARE(CQtFileDialog::QtFilters("MP4 file (H.264/AAC)(*.mp4)|*.mp4|AVI file(*.avi)|*.avi|"
                                      "Movie files|*.avi;*.mp4|All Files(*.*)|*.*||"),
             (QStringList{"MP4 file (H.264/AAC) (*.mp4)", "AVI file (*.avi)",
                          "Movie files (*.avi *.mp4)", "All Files (*)"}));
    QCOMPARE(CQtFileDialog::FilterExtension("MP4 file (H.264/AAC) (*.mp4)"), QString("mp4"));
}

IFileDialog::Answer FileDialogTest::WhileShown(const IFileDialog::Request& request,
                                               const std::function<void(QFileDialog&)>& look) {
    bool looked = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        look(*dialog);
        looked = true;
    });
    CQtFileDialog files;
    const IFileDialog::Answer answer = files.Show(request);
    [&] { QVERIFY(looked); }();
    return answer;
}

void FileDialogTest::saveDialogHidesWorkingFilesProposesANameAndAsksNothing() {
    QTemporaryDir folder;
    const QString dir = folder.path();
    for (const char* name : {"clip.mp4", "clip.$tmp$.avi", "clip.$tmp$.wav", "old.avi"}) {
        std::ofstream((dir + "/" + name).toStdString()) << "x";
    }
    IFileDialog::Request request;
    request.kind = IFileDialog::Kind::Save;
    request.filter = "AVI file(*.avi)|*.avi|MP4 file (H.264/AAC)(*.mp4)|*.mp4||";
    request.defaultExtension = "avi";
    request.initialPath = dir.toStdString();
    request.suggestedStem = "clip_mosaic";
    request.hiddenFiles = "*.$tmp$.*";
    const IFileDialog::Answer answer = WhileShown(request, [&](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(name && types);
        QCOMPARE(name->text(), QString("clip_mosaic.avi"));
        QCOMPARE(types->itemText(1), QString("MP4 file (H.264/AAC) (*.mp4)"));
        QStringList names;
        QVERIFY(QTest::qWaitFor([&] {
            names.clear();
            auto* list = dialog.findChild<QAbstractItemView*>("listView");
            const QModelIndex at = list->rootIndex();
            for (int row = 0; row < list->model()->rowCount(at); ++row) {
                names << list->model()->index(row, 0, at).data().toString();
            }
            return names.contains("old.avi");
        }));
        QCOMPARE(names, QStringList{"old.avi"});
        // The name follows the chosen format.
        types->setCurrentIndex(1);
        emit types->activated(1);
        QCOMPARE(name->text(), QString("clip_mosaic.mp4"));
        name->setText("old.mp4");
        types->setCurrentIndex(0);
        emit types->activated(0);
        QCOMPARE(name->text(), QString("old.avi"));
        // Accepting a file that exists asks nothing here: the program asks once itself.
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    QVERIFY(answer.ok);
    QCOMPARE(QString::fromStdString(answer.path), dir + "/old.avi");
    QCOMPARE(answer.filterIndex, 1);
}

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
