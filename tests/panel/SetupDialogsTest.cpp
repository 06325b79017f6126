// The three setup dialogs: what each accepts and refuses (with the message box it
// shows and the dialog staying open), how Enter and Escape behave in each, the fixed
// lists of the Y axis dialog and how its choices turn into a gain and an offset.
#include "panel/CComPortDlg.h"
#include "panel/CSampleRateDlg.h"
#include "panel/CYAxisDlg.h"
#include "panel/IntegerEntry.h"
#include "panel/YAxisScale.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

struct ShownMessage {
    QString caption;
    QString text;
};

// Types `text` into the dialog's edit and clicks OK; a message box that opens is read
// and closed.
std::optional<ShownMessage> enterAndConfirm(QDialog& dialog, const char* editName,
                                            const QString& text) {
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(editName));
    edit->setText(text);
    std::optional<ShownMessage> shown;
    // When no box opens, the answer must not stay pending beyond this call and answer a
    // later test's box into `shown`, which is gone by then.
    const QObject pendingWhileHere;
    QTimer::singleShot(0, &pendingWhileHere, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = ShownMessage{box->windowTitle(), box->text()};
            box->accept();
        }
    });
    QPushButton* ok = dialog.findChild<QPushButton*>();
    QTest::mouseClick(ok, Qt::LeftButton);
    return shown;
}

TEST(SampleRateDialog, refusesTextThatIsNotAnIntegerAndStaysOpenOnTheField) {
    CSampleRateDlg dialog;
    const auto shown = enterAndConfirm(dialog, "sampleRateEdit", QStringLiteral("abc"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->caption, QStringLiteral("Calorant"));
    EXPECT_EQ(shown->text, QStringLiteral("Please enter an integer."));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("sampleRateEdit")));
}

TEST(SampleRateDialog, acceptsZeroAndNegativeRatesForTheCallerToRaise) {
    for (const auto& [typed, value] :
         {std::pair{"0", 0}, std::pair{"-3", -3}, std::pair{" 42 ", 42}}) {
        CSampleRateDlg dialog;
        EXPECT_FALSE(enterAndConfirm(dialog, "sampleRateEdit", QString::fromLatin1(typed)));
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << typed;
        EXPECT_EQ(dialog.sampleRateSec(), value) << typed;
    }
}

TEST(SampleRateDialog, refusesANumberTooLargeInsteadOfClippingIt) {
    CSampleRateDlg dialog;
    const auto shown = enterAndConfirm(dialog, "sampleRateEdit", QStringLiteral("2147483648"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, QStringLiteral("Please enter an integer."));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(SampleRateDialog, showsTheProposedRateAndIgnoresEnterAndEscape) {
    CSampleRateDlg dialog;
    dialog.setSampleRateSec(7);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("sampleRateEdit"));
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    QPushButton* ok = dialog.findChild<QPushButton*>();
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ComPortDialog, refusesNegativeOrNonNumericPortsWithItsOwnMessage) {
    for (const char* typed : {"-1", "abc", "", "4294967296"}) {
        CComPortDlg dialog;
        const auto shown = enterAndConfirm(dialog, "comPortEdit", QString::fromLatin1(typed));
        ASSERT_TRUE(shown) << typed;
        EXPECT_EQ(shown->caption, QStringLiteral("Calorant"));
        EXPECT_EQ(shown->text, QStringLiteral("Please enter a positive integer.")) << typed;
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST(ComPortDialog, returnsAnyUnsignedNumberForTheCallerToCheck) {
    for (const auto& [typed, value] :
         {std::pair{"16", 16u}, std::pair{"4", 4u}, std::pair{"17", 17u}}) {
        CComPortDlg dialog;
        EXPECT_FALSE(enterAndConfirm(dialog, "comPortEdit", QString::fromLatin1(typed)));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.comPortNumber(), value);
    }
}

TEST(ComPortDialog, enterConfirmsAndEscapeCancels) {
    CComPortDlg confirmed;
    confirmed.show();
    auto* edit = confirmed.findChild<QLineEdit*>(QStringLiteral("comPortEdit"));
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    edit->setText(QStringLiteral("9"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(confirmed.result(), QDialog::Accepted);
    EXPECT_EQ(confirmed.comPortNumber(), 9u);

    CComPortDlg cancelled;
    cancelled.show();
    QTest::keyClick(cancelled.findChild<QLineEdit*>(QStringLiteral("comPortEdit")), Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST(YAxisDialog, opensWithNothingSelectedAndItsListsInTheirFixedOrder) {
    CYAxisDlg dialog;
    EXPECT_EQ(dialog.gainIndex(), -1);
    EXPECT_EQ(dialog.offsetIndex(), -1);
    auto items = [&dialog](const char* name) {
        QStringList texts;
        auto* list = dialog.findChild<QComboBox*>(QLatin1String(name));
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    EXPECT_EQ(items("yOffsetList"), (QStringList{"0", "2", "5", "-2", "-5"}));
    EXPECT_EQ(items("yGainList"), (QStringList{"1", "2", "5", "10", "50", "100", "200"}));
}

TEST(YAxisDialog, enterConfirmsTheChoiceAndEscapeCancels) {
    CYAxisDlg confirmed;
    confirmed.show();
    auto* gains = confirmed.findChild<QComboBox*>(QStringLiteral("yGainList"));
    gains->setCurrentIndex(5);
    QTest::keyClick(&confirmed, Qt::Key_Return);
    EXPECT_EQ(confirmed.result(), QDialog::Accepted);
    EXPECT_EQ(confirmed.gainIndex(), 5);

    CYAxisDlg cancelled;
    cancelled.show();
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST(YAxisSelection, eachListPositionPicksItsValueAndNoSelectionKeepsTheOldOne) {
    const YAxisScale start{10, -2};
    EXPECT_EQ(applyYAxisSelection(start, 4, -1), (YAxisScale{50, -2}));
    EXPECT_EQ(applyYAxisSelection(start, -1, 1), (YAxisScale{10, 2}));
    EXPECT_EQ(applyYAxisSelection(start, -1, -1), start);
    EXPECT_EQ(applyYAxisSelection(start, 7, 5), start);
    const int gains[] = {1, 2, 5, 10, 50, 100, 200};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(applyYAxisSelection(start, i, -1).gain, gains[i]);
    const int offsets[] = {0, 2, 5, -2, -5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(applyYAxisSelection(start, -1, i).offset, offsets[i]);
}

TEST(IntegerEntry, acceptsSignsAndSurroundingBlanksButNothingElse) {
    EXPECT_EQ(parseIntegerEntry(" \t42 "), 42);
    EXPECT_EQ(parseIntegerEntry("+7"), 7);
    EXPECT_EQ(parseIntegerEntry("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parseIntegerEntry("2147483647"), std::numeric_limits<std::int32_t>::max());
    for (const char* bad : {"", " ", "-", "4 2", "1.5", "12a", "0x10", "2147483648"})
        EXPECT_FALSE(parseIntegerEntry(bad)) << '"' << bad << '"';

    EXPECT_EQ(parseUnsignedEntry("4294967295"), 4294967295u);
    EXPECT_EQ(parseUnsignedEntry(" +16"), 16u);
    for (const char* bad : {"-0", "-5", "", "4294967296", "5 5"})
        EXPECT_FALSE(parseUnsignedEntry(bad)) << '"' << bad << '"';
}

} // namespace
