// The Data List as the logger graph window shows it: every reading of the shown set
// with its number, date and time and its five values in the set's unit, dashes for no
// reading and 2900.0 as a number, the date advancing at midnight, an empty set with
// only its headers, and the close box that hides the list until the next double-click
// shows it again with the new set's rows.
#include "LoggerWindowHost.h"

#include <QHeaderView>
#include <gtest/gtest.h>

namespace calorant {
namespace {

using namespace test;

QStringList rowTexts(const CDataListDlg& dataList, int row) {
    const QAbstractItemModel& model = *dataList.list()->model();
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.data(model.index(row, column)).toString();
    return texts;
}

TEST(DataList, ListsEveryReadingInTheUnitOfTheDownload) {
    const struct {
        std::uint8_t unit;
        const char* shown;
    } units[] = {{0, "25.0"}, {1, "77.0"}, {2, "298.2"}};
    for (const auto& [unit, shown] : units) {
        LoggerWindowHost host(downloadOf({{makeLocalTime(2026, 12, 7, 14, 5, 9), 2, 30}}, unit));
        host.doubleClickRow(0);
        const CDataListDlg* dataList = host.window->dataList();
        ASSERT_NE(dataList, nullptr);
        EXPECT_EQ(dataList->list()->model()->rowCount(), 30);
        const QString value = QString::fromLatin1(shown);
        EXPECT_EQ(rowTexts(*dataList, 0),
                  (QStringList{"1", "12/07/26", "14:05:09", value, value, value, value, value}));
        EXPECT_EQ(rowTexts(*dataList, 29)[0], QStringLiteral("30"));
        EXPECT_EQ(rowTexts(*dataList, 29)[2], QStringLiteral("14:06:07"));
    }
}

TEST(DataList, HasItsEightColumnsAndTheDateAdvancesAtMidnight) {
    LoggerWindowHost host(
        downloadOf({{makeLocalTime(2026, 12, 31, 23, 57, 0), 60, 12, [](int r, int c) {
                         if (r == 1)
                             return c == kT1 ? 2900.0f : 2900.1f;
                         return float(r - c * 0.25);
                     }}}));
    host.doubleClickRow(0);
    const CDataListDlg& dataList = *host.window->dataList();
    const QHeaderView& header = *dataList.list()->horizontalHeader();
    const QStringList headers{"No.", "Date", "Time", "T1", "T2", "IR", "T3", "T4"};
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(dataList.list()->model()->headerData(column, Qt::Horizontal).toString(),
                  headers[column]);
        EXPECT_EQ(header.sectionSize(column), column == 0 ? 50 : 80) << column;
    }
    EXPECT_EQ(rowTexts(dataList, 2),
              (QStringList{"3", "12/31/26", "23:59:00", "2.0", "1.8", "1.5", "1.2", "1.0"}));
    EXPECT_EQ(rowTexts(dataList, 3).mid(0, 3), (QStringList{"4", "01/01/27", "00:00:00"}));
    EXPECT_EQ(rowTexts(dataList, 9).mid(1, 2), (QStringList{"01/01/27", "00:06:00"}));
    // 2900.0 is a reading; anything above it is none.
    EXPECT_EQ(rowTexts(dataList, 1).mid(3),
              (QStringList{"2900.0", "- - - -", "- - - -", "- - - -", "- - - -"}));
}

TEST(DataList, AnEmptySetShowsTheHeadersAndNoRow) {
    LoggerWindowHost host(downloadOf(
        {{makeLocalTime(2026, 1, 1, 0, 0, 0), 5, 0}, {makeLocalTime(2026, 1, 2, 0, 0, 0), 5, 3}}));
    host.doubleClickRow(0);
    const CDataListDlg& dataList = *host.window->dataList();
    EXPECT_TRUE(dataList.isVisible());
    EXPECT_EQ(dataList.list()->model()->rowCount(), 0);
    EXPECT_EQ(dataList.list()->model()->columnCount(), 8);
    EXPECT_EQ(dataList.windowTitle(), QStringLiteral("Detail Data List_File1"));
}

TEST(DataList, ItsCloseBoxHidesItAndTheNextDoubleClickShowsTheNewSet) {
    LoggerWindowHost host(downloadOf({{makeLocalTime(2026, 1, 1, 0, 0, 0), 5, 60},
                                      {makeLocalTime(2026, 1, 2, 0, 0, 0), 5, 240}}));
    host.doubleClickRow(0);
    QPointer<CDataListDlg> dataList = host.window->dataList();
    ASSERT_TRUE(dataList);
    dataList->close();
    host.settle();
    ASSERT_TRUE(dataList) << "the close box destroyed the list";
    EXPECT_FALSE(dataList->isVisible());

    host.doubleClickRow(1);
    EXPECT_EQ(host.window->dataList(), dataList.data());
    EXPECT_TRUE(dataList->isVisible());
    EXPECT_EQ(dataList->list()->model()->rowCount(), 240);
    EXPECT_EQ(dataList->windowTitle(), QStringLiteral("Detail Data List_File2"));
    EXPECT_EQ(rowTexts(*dataList, 239)[2], QStringLiteral("00:19:55"));

    // Scrolled to its end, the list shows the last reading.
    dataList->list()->scrollToBottom();
    host.settle();
    const QModelIndex last = dataList->list()->model()->index(239, 0);
    EXPECT_TRUE(
        dataList->list()->viewport()->rect().intersects(dataList->list()->visualRect(last)));
}

} // namespace
} // namespace calorant
