// Windows built from a layout table: caption, size and control rectangles converted
// from dialog units of the template's font, controls found by id and name, the label
// font only where a line asks for it, closed drop-down lists one line high, the OK
// button confirming its dialog, and controls following a resizable window that grows.
// The setup dialogs built from their tables keep their layouts.
#include "panel/DialogTemplate.h"

#include "panel/CComPortDlg.h"
#include "panel/CSampleRateDlg.h"
#include "panel/CYAxisDlg.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

constexpr DialogControl kTrialControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Group", 4, 4, 100, 40},
    {2001, ControlKind::Label, "Marked", 8, 16, 40, 8, kLabelFont},
    {2002, ControlKind::Edit, "", 50, 14, 30, 12, 0, "trialEdit"},
    {2003, ControlKind::DropDownList, "", 8, 30, 40, 80},
    {kOkButtonId, ControlKind::DefaultButton, "OK", 60, 46, 30, 14, kLabelFont},
};

constexpr DialogTemplate kTrial{"Trial", 120, 64, {"System", 10}, kTrialControls};

TEST(DialogTemplate, BuildsTheWindowInSystemUnitsWithEveryControlAtItsRectangle) {
    QDialog dialog;
    QFont labelFont;
    labelFont.setPixelSize(21);
    const DialogControls controls = buildDialog(dialog, kTrial, labelFont);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Trial"));
    // "System" has base units of 8 x 16 pixels: a dialog unit is 2 pixels each way.
    EXPECT_EQ(dialog.size(), QSize(240, 128));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    auto* edit = controls.get<QLineEdit>(2002);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), QRect(100, 28, 60, 24));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("trialEdit")), edit);
    // A closed drop-down list is one text line of 12 units, whatever its dropped height.
    EXPECT_EQ(controls.widget(2003)->geometry(), QRect(16, 60, 80, 24));
    EXPECT_EQ(controls.get<QLineEdit>(2001), nullptr); // a label is no edit
    EXPECT_EQ(controls.widget(kNoControlId), nullptr);

    EXPECT_EQ(controls.get<QLabel>(2001)->font().pixelSize(), 21);
    EXPECT_EQ(controls.get<QPushButton>(kOkButtonId)->font().pixelSize(), 21);
    EXPECT_NE(edit->font().pixelSize(), 21);
    EXPECT_EQ(edit->font().pixelSize(), 13); // the template's 10 points
}

TEST(DialogTemplate, TheOkButtonConfirmsItsDialog) {
    QDialog dialog;
    const DialogControls controls = buildDialog(dialog, kTrial);
    dialog.show();
    QTest::mouseClick(controls.get<QPushButton>(kOkButtonId), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

constexpr DialogControl kGrowingControls[] = {
    {3001, ControlKind::ListView, "", 2, 10, 50, 40, kGrowHeight},
    {3002, ControlKind::HorizontalScrollBar, "", 54, 54, 46, 6, kGrowWidth | kKeepBottom},
    {3003, ControlKind::VerticalLine, "", 99, 10, 1, 40, kKeepRight | kGrowHeight},
    {3004, ControlKind::HorizontalLine, "", 0, 8, 100, 1, kGrowWidth},
};

constexpr DialogTemplate kGrowing{"Growing", 100, 60, {"System", 10}, kGrowingControls, false};

TEST(DialogTemplate, AResizableWindowOpensAtItsTemplateSizeAndItsControlsFollowIt) {
    QWidget window;
    const DialogControls controls = buildDialog(window, kGrowing);
    EXPECT_EQ(window.size(), QSize(200, 120));
    EXPECT_NE(window.minimumSize(), window.maximumSize());
    EXPECT_NE(controls.get<QTableView>(3001), nullptr);
    EXPECT_NE(controls.get<QScrollBar>(3002), nullptr);

    controls.followClientSize(QSize(260, 150)); // 60 wider, 30 higher
    EXPECT_EQ(controls.widget(3001)->geometry(), QRect(4, 20, 100, 110));
    EXPECT_EQ(controls.widget(3002)->geometry(), QRect(108, 138, 152, 12));
    EXPECT_EQ(controls.widget(3003)->geometry(), QRect(258, 20, 2, 110));
    EXPECT_EQ(controls.widget(3004)->geometry(), QRect(0, 16, 260, 2));
    EXPECT_EQ(controls.get<QFrame>(3003)->frameShape(), QFrame::VLine);

    controls.followClientSize(QSize(200, 120)); // back to the template
    EXPECT_EQ(controls.widget(3002)->geometry(), QRect(108, 108, 92, 12));
}

TEST(SetupDialogLayouts, KeepTheirTemplateSizesAndFieldPlaces) {
    CSampleRateDlg rate;
    EXPECT_EQ(rate.size(), QSize(290, 110));
    EXPECT_EQ(rate.windowTitle(), QStringLiteral("Sample Rate Setup"));
    EXPECT_EQ(rate.findChild<QLineEdit*>(QStringLiteral("sampleRateEdit"))->geometry(),
              QRect(120, 40, 100, 26));

    CComPortDlg port;
    EXPECT_EQ(port.size(), QSize(280, 110));
    EXPECT_EQ(port.windowTitle(), QStringLiteral("COM Port Setup"));
    EXPECT_EQ(port.findChild<QLineEdit*>(QStringLiteral("comPortEdit"))->geometry(),
              QRect(132, 40, 80, 28));

    CYAxisDlg axis;
    EXPECT_EQ(axis.size(), QSize(280, 108));
    EXPECT_EQ(axis.windowTitle(), QStringLiteral("Y OFFSET And Y GAINS Setup"));
    EXPECT_EQ(axis.findChild<QComboBox*>(QStringLiteral("yGainList"))->geometry(),
              QRect(156, 48, 96, 24));
    QStringList labels;
    for (const QLabel* label : axis.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_EQ(labels, (QStringList{"Y OFFSET(DIV)", "Y GAINS/DIV"}));
}

} // namespace
