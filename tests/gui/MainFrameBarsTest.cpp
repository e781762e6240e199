#include "CFakeDocument.h"

#include "app/CCommandId.h"
#include "app/ui/CCommandMenus.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CMosaicSizeDlgBar.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CView.h"
#include "app/ui/CVexoViewerApp.h"
#include "app/ui/RX40sCOOIconToolBar.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <fstream>

using Id = CCommandId;

namespace {

// A view that counts its repaints.
class CCountingView : public CView {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Counts the key presses that reach a widget.
class CKeyRecorder : public QObject {
public:
    int keys = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The presses of Ctrl itself don't count.
        keys += event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(event)->key() != Qt::Key_Control;
        return false;
    }
};

QImage Rendered(const QString& path, int size) {
    return QIcon(path).pixmap(size, size).toImage();
}

QImage Shown(const QAction* button, QIcon::Mode mode, int size) {
    return button->icon().pixmap(size, size, mode).toImage();
}

void Idle() {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

// The toolbars, the dialog bars, the status bar and the keys the main window handles itself.
class MainFrameBarsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void barsSitInTwoRowsWithLargeButtonsAndTheirTexts();
    void thePlayButtonAloneSwapsItsPictures();
    void greyPicturesAreTheRootMeanSquareOfTheColours();
    void statusPanesAreAsWideAsTheirStrings();
    void blurStrengthKeysStopAt50And5();
    void otherTypesAndKeysLeaveTheStrengthAlone();
    void aTypeChosenInTheListWithoutAndWithAreas();
    void dialogBarsShowTheStoredSettings();
    void deinterlacingTogglesTheStreamAndItsButton();
    void japaneseLanguageFileGivesJapaneseMenusAndBars();

private:
    void makeFrame();
    void openMovie() {
        m_document->Open((m_folder->path() + "/movie.$tmp$.avi").toStdString(),
                         m_settings->SizeID);
    }
    CMosaicParam& mosaic() { return m_document->GetStream()->m_mosaic; }
    void pressCtrl(QWidget* target, Qt::Key key, bool keypad, int times = 1) {
        const Qt::KeyboardModifiers modifiers =
            Qt::ControlModifier | (keypad ? Qt::KeypadModifier : Qt::NoModifier);
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(target, key, modifiers);
        }
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CInifileManager> m_settings;
    std::unique_ptr<CFakeDocument> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    CCountingView* m_view = nullptr;
};

void MainFrameBarsTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<CInifileManager>("");
    m_settings->WindowRect = {10, 10, 1110, 810};
    m_document = std::make_unique<CFakeDocument>();
}

void MainFrameBarsTest::cleanup() {
    m_frame.reset();
    m_document.reset();
    m_settings.reset();
    CStringTable::SetLanguage(0);
}

void MainFrameBarsTest::makeFrame() {
    m_frame = std::make_unique<CMainFrame>(*m_settings, "Quorvel", false);
    m_view = new CCountingView;
    m_frame->SetView(m_view);
    m_frame->SetDocument(m_document.get());
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void MainFrameBarsTest::barsSitInTwoRowsWithLargeButtonsAndTheirTexts() {
    makeFrame();
    RX40sCOOIconToolBar* standard = m_frame->StandardToolBar();
    RX40sCOOIconToolBar* movie = m_frame->MovieToolBar();
    RX40sCOOIconToolBar* option = m_frame->OptionToolBar();
    // Standard, Movie, Option left to right in one row; slider and type bar in the next.
    QCOMPARE(movie->y(), standard->y());
    QCOMPARE(option->y(), standard->y());
    QVERIFY(standard->x() < movie->x() && movie->x() < option->x());
    QCOMPARE(m_frame->MosaicTypeBar()->y(), m_frame->SliderBar()->y());
    QVERIFY(m_frame->SliderBar()->y() >= standard->geometry().bottom());
    QVERIFY(m_frame->SliderBar()->x() < m_frame->MosaicTypeBar()->x());
    for (QToolBar* bar : std::initializer_list<QToolBar*>{standard, movie, option,
                                                          m_frame->SliderBar(),
                                                          m_frame->MosaicTypeBar()}) {
        QCOMPARE(bar->allowedAreas(), Qt::TopToolBarArea);
        QVERIFY(bar->isMovable() && bar->isFloatable());
    }
    QCOMPARE(standard->windowTitle(), QString("Mosaic"));
    QCOMPARE(movie->windowTitle(), QString("Movie"));
    QCOMPARE(option->windowTitle(), QString("Option"));
    QCOMPARE(m_frame->SliderBar()->windowTitle(), QString("Slider"));
    QCOMPARE(m_frame->MosaicTypeBar()->windowTitle(), QString("Mosaic Size"));

    // Open, separator, three modes, separator, Save; large pictures on 40 by 39 buttons.
    const int standardIds[] = {Id::Open, 0, Id::FixedMode, Id::MovingMode, Id::PreviewMode, 0,
                               Id::Save};
    for (int index = 0; index < 7; ++index) {
        QCOMPARE(standard->ButtonCommand(index), standardIds[index]);
    }
    // First, Back, Play, Next, Last, separator, Track.
    const int movieIds[] = {Id::First, Id::Back, Id::Play, Id::Next, Id::Last, 0, Id::Track};
    for (int index = 0; index < 7; ++index) {
        QCOMPARE(movie->ButtonCommand(index), movieIds[index]);
    }
    QCOMPARE(standard->iconSize(), QSize(32, 32));
    for (RX40sCOOIconToolBar* bar : {standard, movie, option}) {
        for (QAction* button : bar->Buttons()) {
            QCOMPARE(bar->widgetForAction(button)->size(), QSize(40, 39));
            QVERIFY(!button->icon().isNull());
        }
    }
    QAction* open = standard->ButtonOf(Id::Open);
    QCOMPARE(open->toolTip(), QString("[F1] Open"));
    QCOMPARE(open->statusTip(), QString("Existing Open."));
    QCOMPARE(movie->ButtonOf(Id::Next)->toolTip(), QString("[->] Mext frame"));
    QCOMPARE(m_frame->Menus().Action(Id::Open)->statusTip(), QString("Existing Open."));
}

void MainFrameBarsTest::thePlayButtonAloneSwapsItsPictures() {
    makeFrame();
    RX40sCOOIconToolBar* movie = m_frame->MovieToolBar();
    std::vector<QImage> before;
    for (QAction* button : movie->Buttons()) {
        before.push_back(Shown(button, QIcon::Normal, 32));
    }
    QAction* play = movie->ButtonOf(Id::Play);
    QCOMPARE(Shown(play, QIcon::Normal, 32), Rendered(":/icons/play.svg", 32));

    QVERIFY(movie->ReplaceButtonIcon(160, 177, 161));
    for (const int size : {16, 32}) {
        QCOMPARE(Shown(play, QIcon::Normal, size), Rendered(":/icons/stop.svg", size));
        QCOMPARE(Shown(play, QIcon::Active, size), Rendered(":/icons/stop-hot.svg", size));
        QCOMPARE(Shown(play, QIcon::Disabled, size), Rendered(":/icons/stop-disabled.svg", size));
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (movie->Buttons()[i] != play) {
            QCOMPARE(Shown(movie->Buttons()[i], QIcon::Normal, 32), before[i]);
        }
    }
    // Stopping shows play again.
    m_frame->playing = true;
    m_frame->StopPlay();
    QVERIFY(!m_frame->playing);
    QCOMPARE(Shown(play, QIcon::Normal, 32), before[2]);
    // Fewer than three buttons: nothing to replace.
    QVERIFY(!m_frame->OptionToolBar()->ReplaceButtonIcon(160, 177, 161));
}

void MainFrameBarsTest::greyPicturesAreTheRootMeanSquareOfTheColours() {
    QImage colours(2, 2, QImage::Format_ARGB32);
    colours.setPixel(0, 0, qRgba(255, 0, 0, 255));
    colours.setPixel(1, 0, qRgba(255, 255, 255, 255));
    colours.setPixel(0, 1, qRgba(10, 20, 30, 255));
    colours.setPixel(1, 1, qRgba(0, 0, 0, 0));
    const QImage grey =
        RX40sCOOIconToolBar::CreateGrayIcon(QIcon(QPixmap::fromImage(colours)), 2).toImage();
    QCOMPARE(grey.pixel(0, 0), qRgba(147, 147, 147, 255));
    QCOMPARE(grey.pixel(1, 0), qRgba(255, 255, 255, 255));
    QCOMPARE(grey.pixel(0, 1), qRgba(21, 21, 21, 255));
    QCOMPARE(qAlpha(grey.pixel(1, 1)), 0);

    // A button given no disabled picture shows that grey version of its normal one.
    QWidget parent;
    RX40sCOOIconToolBar bar("Option", &parent);
    QVERIFY(bar.LoadToolBar(CCommandTable::Toolbar::Option));
    bar.AddButtonIcon(168, 0, 0);
    QAction* button = bar.Buttons().front();
    for (const int size : {16, 32}) {
        const QImage expected = RX40sCOOIconToolBar::CreateGrayIcon(
                                    QIcon(":/icons/deinterlace.svg"), size)
                                    .toImage();
        QCOMPARE(Shown(button, QIcon::Disabled, size), expected);
        QCOMPARE(Shown(button, QIcon::Active, size), Rendered(":/icons/deinterlace.svg", size));
    }
}

void MainFrameBarsTest::statusPanesAreAsWideAsTheirStrings() {
    makeFrame();
    QCOMPARE(m_frame->PaneText(CResourceId::ThirdPaneWidth), QString("  "));
    QVERIFY(m_frame->PaneText(CResourceId::SizePaneWidth).isEmpty());
    QVERIFY(m_frame->PaneText(CResourceId::RatePaneWidth).isEmpty());
    const auto panes = m_frame->statusBar()->findChildren<QLabel*>();
    QCOMPARE(panes.size(), 3);
    const QFontMetrics metrics(panes[0]->font());
    const int widths[] = {metrics.horizontalAdvance("  "),
                          metrics.horizontalAdvance("WWWWWWWWWWWWWWW"),
                          metrics.horizontalAdvance("WWWWWWWWWWWWWW")};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(panes[i]->width() >= widths[i]);
        QVERIFY(panes[i]->width() <= widths[i] + 12);
    }
    // Left to right: 2011, 2034, 2000.
    QVERIFY(panes[0]->x() < panes[1]->x() && panes[1]->x() < panes[2]->x());
    m_frame->SetPaneText(CResourceId::RatePaneWidth, "0.00 / 29.97(fps)");
    QCOMPARE(panes[2]->text(), QString("0.00 / 29.97(fps)"));
}

void MainFrameBarsTest::blurStrengthKeysStopAt50And5() {
    m_settings->SizeID = 8;
    makeFrame();
    openMovie();
    QCOMPARE(mosaic().size, 10);
    pressCtrl(m_frame.get(), Qt::Key_Plus, true, 45);
    QCOMPARE(mosaic().size, 50);
    QVERIFY(m_frame->movieModified && m_frame->progressModified);
    QVERIFY(m_view->paints > 0 || QTest::qWaitFor([&] { return m_view->paints > 0; }));

    // Keys reaching a child pass through the window first and are swallowed when they act.
    CKeyRecorder recorder;
    QSlider* slider = m_frame->SliderBar()->FrameSlider();
    slider->installEventFilter(&recorder);
    pressCtrl(slider, Qt::Key_Minus, true, 50);
    QCOMPARE(mosaic().size, 5);
    QCOMPARE(recorder.keys, 5);
    // At the limit the key goes on to the window's normal handling.
    pressCtrl(slider, Qt::Key_Minus, true);
    QCOMPARE(mosaic().size, 5);
    QCOMPARE(recorder.keys, 6);

    pressCtrl(slider, Qt::Key_R, false);
    QCOMPARE(mosaic().size, 10);
    m_settings->SizeID = 7;
    pressCtrl(m_frame.get(), Qt::Key_R, false);
    QCOMPARE(mosaic().size, 15);
    m_settings->SizeID = 9;
    pressCtrl(m_frame.get(), Qt::Key_R, false);
    QCOMPARE(mosaic().size, 5);
    // At 49 one more step reaches 50 and stops there.
    mosaic().size = 49;
    pressCtrl(m_frame.get(), Qt::Key_Plus, true, 3);
    QCOMPARE(mosaic().size, 50);
}

void MainFrameBarsTest::otherTypesAndKeysLeaveTheStrengthAlone() {
    m_settings->SizeID = 2;
    makeFrame();
    openMovie();
    pressCtrl(m_frame.get(), Qt::Key_Plus, true, 3);
    pressCtrl(m_frame.get(), Qt::Key_R, false);
    QCOMPARE(mosaic().size, 10);
    QVERIFY(!m_frame->movieModified && !m_frame->progressModified);
    // A blur type, but the plus of the main keyboard, or no Ctrl.
    m_settings->SizeID = 8;
    pressCtrl(m_frame.get(), Qt::Key_Plus, false, 3);
    QTest::keyClick(m_frame.get(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(m_frame.get(), Qt::Key_R);
    QCOMPARE(mosaic().size, 10);
    QVERIFY(!m_frame->movieModified);
    // No document: nothing to change.
    m_document->Close();
    pressCtrl(m_frame.get(), Qt::Key_Plus, true);
    QVERIFY(!m_frame->movieModified);
}

void MainFrameBarsTest::aTypeChosenInTheListWithoutAndWithAreas() {
    makeFrame();
    QComboBox* list = m_frame->MosaicTypeBar()->TypeList();
    QCOMPARE(list->count(), 10);
    // In the interface's language: the English list names every effect in English.
    QCOMPARE(list->itemText(0), QString("Pixelate, extra large"));
    QCOMPARE(list->itemText(4), QString("Frosted glass"));
    QCOMPARE(list->itemText(6), QString("Black fill"));
    QCOMPARE(list->itemText(9), QString("Blur, weak"));
    // No document: only the setting changes.
    emit list->activated(4);
    QCOMPARE(m_settings->SizeID, 4);

    // No areas: setting, type and strength, but no changed flags and no repaint.
    openMovie();
    Idle();
    const int paints = m_view->paints;
    emit list->activated(7);
    QCOMPARE(m_settings->SizeID, 7);
    QCOMPARE(mosaic().type, 7);
    QCOMPARE(mosaic().size, 15);
    QVERIFY(!m_frame->movieModified && !m_frame->progressModified);
    Idle();
    QCOMPARE(m_view->paints, paints);

    // With an area: the flags are set and the view repaints.
    mosaic().AddFixedArea({0, 0, 8, 8});
    emit list->activated(9);
    QCOMPARE(m_settings->SizeID, 9);
    QCOMPARE(mosaic().type, 9);
    QCOMPARE(mosaic().size, 5);
    QVERIFY(m_frame->movieModified && m_frame->progressModified);
    QTRY_VERIFY(m_view->paints > paints);
}

void MainFrameBarsTest::dialogBarsShowTheStoredSettings() {
    const std::pair<float, int> rates[] = {{0.5f, 3}, {2.0f, 0}, {1.5f, -1}, {0.1f, 5}};
    for (const auto& [rate, index] : rates) {
        m_settings->PlaySpeedRate = rate;
        m_settings->SizeID = index < 0 ? 12 : index;
        makeFrame();
        QCOMPARE(m_frame->SliderBar()->speedIndex, index);
        QCOMPARE(m_frame->SliderBar()->SpeedList()->currentIndex(), index);
        QCOMPARE(m_frame->MosaicTypeBar()->typeIndex, index);
        QCOMPARE(m_frame->MosaicTypeBar()->TypeList()->currentIndex(), index);
        m_frame.reset();
    }
}

void MainFrameBarsTest::deinterlacingTogglesTheStreamAndItsButton() {
    makeFrame();
    openMovie();
    QAction* button = m_frame->OptionToolBar()->ButtonOf(Id::Deinterlace);
    Idle();
    QVERIFY(button->isEnabled() && !button->isChecked());
    QTest::keyClick(m_frame.get(), Qt::Key_F9);
    QVERIFY(m_document->GetStream()->m_bLineDouble);
    QVERIFY(button->isChecked());
    QVERIFY(m_frame->Menus().Action(Id::Deinterlace)->isChecked());
    button->trigger();
    QVERIFY(!m_document->GetStream()->m_bLineDouble);
    QVERIFY(!button->isChecked());
    // An image can't be deinterlaced.
    m_frame->stillImage = true;
    QVERIFY(!m_frame->ExecuteCommand(Id::Deinterlace));
    QVERIFY(!m_document->GetStream()->m_bLineDouble);
}

void MainFrameBarsTest::japaneseLanguageFileGivesJapaneseMenusAndBars() {
    // The program as if installed in a folder of its own, with "JAPANESE" in its language file.
    QTemporaryDir install;
    const std::filesystem::path program =
        std::filesystem::path(install.path().toStdString()) / "prog" / "Quorvel";
    std::filesystem::create_directories(program.parent_path());
    std::filesystem::create_symlink(QUORVEL_BIN_DIR "/Quorvel", program);
    std::ofstream(program.parent_path() / "Language.md") << "JAPANESE\n";
    qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
    qputenv("LANG", "en_US.UTF-8");

    CVexoViewerApp app(program.string());
    QVERIFY(app.InitInstance({}));
    CMainFrame* frame = app.GetMainWnd();
    QStringList titles;
    for (QAction* popup : frame->menuBar()->actions()) {
        titles << popup->text();
    }
    QCOMPARE(titles, QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)", "モード(&M)", "動画(&O)",
                                  "ヘルプ(&H)"}));
    QCOMPARE(frame->Menus().Popup(CResourceId::MenuToolbar)->title(), QString("ツール バー(&T)"));
    QAction* open = frame->Menus().Action(Id::Open);
    QCOMPARE(open->text(), QString("開く(&O)...\tF1"));
    QCOMPARE(open->statusTip(), QString("既存のファイルを開く"));
    QCOMPARE(frame->Menus().Action(Id::RecentFile1)->text(), QString("最近使ったﾌｧｲﾙ"));
    QCOMPARE(frame->StandardToolBar()->ButtonOf(Id::Open)->toolTip(), QString("[F1] 開く"));
    QCOMPARE(frame->MovieToolBar()->ButtonOf(Id::Next)->statusTip(),
             QString("次のフレームを表示"));
    QCOMPARE(frame->StandardToolBar()->windowTitle(), QString("モザイク"));
    QCOMPARE(frame->MovieToolBar()->windowTitle(), QString("動画"));
    QCOMPARE(frame->OptionToolBar()->windowTitle(), QString("オプション"));
    QCOMPARE(frame->SliderBar()->windowTitle(), QString("スライダー"));
    QCOMPARE(frame->MosaicTypeBar()->windowTitle(), QString("モザイクサイズ"));
    QStringList labels;
    for (QLabel* label : frame->SliderBar()->findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (QLabel* label : frame->MosaicTypeBar()->findChildren<QLabel*>()) {
        labels << label->text();
    }
    QCOMPARE(labels, QStringList({"再生速度: x", "モザイクの種類:"}));
    QCOMPARE(frame->MosaicTypeBar()->TypeList()->itemText(7), QString("ぼかし（強）"));
    QCOMPARE(frame->SliderBar()->SpeedList()->itemText(0), QString("2.0"));
    // Qt's own buttons and dialogs speak Japanese too, as the questions that name them do.
    QMessageBox box(QMessageBox::Question, "Quorvel", "?", QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(box.button(QMessageBox::No)->text().startsWith(QString::fromUtf8("いいえ")),
             qPrintable(box.button(QMessageBox::No)->text()));
    QVERIFY(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8("はい")));
    app.ExitInstance();
}

QTEST_MAIN(MainFrameBarsTest)
#include "MainFrameBarsTest.moc"
