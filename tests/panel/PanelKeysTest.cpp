// The six keys of the meter panel, driven by real mouse and keyboard events through the
// window system: which commands reach the sink for presses, releases, drags,
// double-clicks, the space bar, and Enter and Escape, which neither reach the meter nor
// close the window around the panel; and that the keys sit at their places on the face
// and stay usable while the panel shows "OFFLINE".
#include "link/MeterState.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/CPanelButton.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vector>

using namespace calorant;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

MeterCommand command(std::uint8_t code) {
    return MeterCommand{0xAA, 0x55, code};
}

class PanelKeys : public ::testing::Test {
protected:
    void SetUp() override {
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }

    QWindow* window() { return panel.windowHandle(); }
    QPoint centreOf(PanelKeyId id) { return panel.key(id)->geometry().center(); }

    void click(PanelKeyId id) { QTest::mouseClick(window(), Qt::LeftButton, {}, centreOf(id)); }
    void doubleClick(PanelKeyId id) {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, centreOf(id));
    }

    MeterState state;
    std::vector<MeterCommand> sent;
    CMeterPanelDlg panel{state, [this](const MeterCommand& c) { sent.push_back(c); }};
};

TEST_F(PanelKeys, aClickOnHoldSendsTheHoldCommandOnceAndTheReleaseSendsNothing) {
    QTest::mousePress(window(), Qt::LeftButton, {}, centreOf(kKeyHold));
    EXPECT_THAT(sent, ElementsAre(command(0x05)));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, centreOf(kKeyHold));
    EXPECT_THAT(sent, ElementsAre(command(0x05)));
}

TEST_F(PanelKeys, eachKeySendsItsOwnCommand) {
    click(kKeyUnit);
    click(kKeyRecord);
    click(kKeyPowerOff);
    click(kKeyMaxMin);
    click(kKeyHold);
    click(kKeyDifference);
    EXPECT_THAT(sent, ElementsAre(command(0x03), command(0x0F), command(0x20), command(0x06),
                                  command(0x05), command(0x04)));
}

TEST_F(PanelKeys, aDoubleClickOnMaxMinSendsThePressThenTheDoubleClickCommand) {
    doubleClick(kKeyMaxMin);
    EXPECT_THAT(sent, ElementsAre(command(0x06), command(0x16)));
}

TEST_F(PanelKeys, aDoubleClickOnDifSendsThePressThenTheDoubleClickCommand) {
    doubleClick(kKeyDifference);
    EXPECT_THAT(sent, ElementsAre(command(0x04), command(0x12)));
}

TEST_F(PanelKeys, aDoubleClickOnHoldSendsTheHoldCommandOnlyOnce) {
    doubleClick(kKeyHold);
    EXPECT_THAT(sent, ElementsAre(command(0x05)));
}

TEST_F(PanelKeys, draggingBackOntoAHeldKeyPressesItAgain) {
    QTest::mousePress(window(), Qt::LeftButton, {}, centreOf(kKeyRecord));
    QTest::mouseMove(window(), QPoint(5, 5));
    QTest::mouseMove(window(), centreOf(kKeyRecord));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, centreOf(kKeyRecord));
    EXPECT_THAT(sent, ElementsAre(command(0x0F), command(0x0F)));
}

TEST_F(PanelKeys, repaintingAHeldKeySendsNothingMore) {
    QTest::mousePress(window(), Qt::LeftButton, {}, centreOf(kKeyPowerOff));
    panel.setLinkOffline(true);
    panel.repaint();
    panel.key(kKeyPowerOff)->repaint();
    QTest::mouseRelease(window(), Qt::LeftButton, {}, centreOf(kKeyPowerOff));
    EXPECT_THAT(sent, ElementsAre(command(0x20)));
}

TEST_F(PanelKeys, theSpaceBarPressesTheFocusedKey) {
    panel.key(kKeyUnit)->setFocus();
    QTest::keyClick(panel.key(kKeyUnit), Qt::Key_Space);
    EXPECT_THAT(sent, ElementsAre(command(0x03)));
}

// The panel inside a dialog: Enter presses the dialog's default button and Escape
// closes it, unless the panel keeps both keys to itself.
TEST(PanelKeysInADialog, enterAndEscapeOnThePanelOrAKeySendNothingAndCloseNothing) {
    QDialog dialog;
    dialog.resize(400, 700);
    MeterState state;
    std::vector<MeterCommand> sent;
    auto* panel = new CMeterPanelDlg(
        state, [&](const MeterCommand& c) { sent.push_back(c); }, &dialog);
    auto* defaultButton = new QPushButton(QStringLiteral("OK"), &dialog);
    defaultButton->move(300, 650);
    defaultButton->setDefault(true);
    int defaultPresses = 0;
    QObject::connect(defaultButton, &QPushButton::clicked, [&] { ++defaultPresses; });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    for (QWidget* target :
         {static_cast<QWidget*>(panel->key(kKeyHold)), static_cast<QWidget*>(panel)}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    EXPECT_THAT(sent, IsEmpty());
    EXPECT_EQ(defaultPresses, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(panel->isVisible());

    // Other keys take their normal way: the space bar still presses the focused key.
    panel->key(kKeyHold)->setFocus();
    QTest::keyClick(panel->key(kKeyHold), Qt::Key_Space);
    EXPECT_THAT(sent, ElementsAre(command(0x05)));
}

TEST_F(PanelKeys, keysStayUsableWhileThePanelIsOffline) {
    panel.setLinkOffline(true);
    click(kKeyHold);
    EXPECT_THAT(sent, ElementsAre(command(0x05)));
}

TEST_F(PanelKeys, keysSitAtTheirPlacesOnTheFaceAndTheirPicturesCoverThem) {
    EXPECT_EQ(panel.key(kKeyRecord)->pos(), QPoint(96, 337));
    EXPECT_EQ(panel.key(kKeyUnit)->pos(), QPoint(95, 394));
    EXPECT_EQ(panel.key(kKeyMaxMin)->pos(), QPoint(70, 425));
    EXPECT_EQ(panel.key(kKeyHold)->pos(), QPoint(126, 429));
    EXPECT_EQ(panel.key(kKeyDifference)->pos(), QPoint(97, 463));
    EXPECT_EQ(panel.key(kKeyPowerOff)->pos(), QPoint(146, 516));
    for (const PanelKey& key : panelKeys()) {
        const QSize size = panel.key(key.controlId)->size();
        EXPECT_GT(size.width(), 0) << key.label;
        EXPECT_LE(size.width(), key.artworkSize.width()) << key.label;
        EXPECT_LE(size.height(), key.artworkSize.height()) << key.label;
    }
}

} // namespace
