#include "tests/support/TestShownDialog.h"
#include "versionlib/about/RX40CAppAboutLight.h"

#include <QTemporaryDir>

// The light About dialog as a host that links the library builds it: with its own title and
// without the folder buttons.
class AboutLightDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }
    void copiesKeepTitleAndButtons();

private:
    QTemporaryDir m_config;
};

void AboutLightDialogTest::copiesKeepTitleAndButtons() {
    const RX40CAppAboutLight quiet(0, "Sample Host");
    RX40CAppAboutLight copied(quiet);
    RX40CAppAboutLight assigned;
    assigned = quiet;
    for (RX40CAppAboutLight* light : {&copied, &assigned}) {
        Shown shown = WhileShown([&] { return light->DoModal(nullptr); }, 24859, 24860);
        QCOMPARE(shown.result, std::intptr_t{1});
        QCOMPARE(shown.text[24855], QString("Sample Host"));
        // Hidden until Ctrl shows them, and hidden again by the next press.
        QVERIFY(!shown.visible[24859] && !shown.visible[24860]);
        QCOMPARE(shown.buttonsAfterCtrl, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
    }
    RX40CAppAboutLight plain;
    Shown shown = WhileShown([&] { return plain.DoModal(nullptr); }, 24859, 24860);
    QVERIFY(shown.visible[24859] && shown.visible[24860]);
}

QTEST_MAIN(AboutLightDialogTest)
#include "AboutLightDialogTest.moc"
