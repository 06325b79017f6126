#include "panel/CStatsBarDlg.h"

#include "link/MeterState.h"
#include "panel/DialogLayout.h"
#include "panel/EnterEscapeFilter.h"
#include "panel/LogicalFont.h"

#include <QLabel>
#include <QLineEdit>
#include <array>

namespace calorant {

namespace {

struct StatsRow {
    const char* label;
    int y;
    std::array<int, 3> fieldIds; // MAX, MIN, AVG
};

// One row per channel, in channel order.
constexpr std::array<StatsRow, kChannelCount> kRows{{
    {"T1 MAX", 0, {1101, 1106, 1107}},
    {"T2 MAX", 14, {1077, 1079, 1081}},
    {"IR MAX", 28, {1083, 1084, 1085}},
    {"T3 MAX", 42, {1078, 1080, 1082}},
    {"T4 MAX", 56, {1086, 1087, 1088}},
}};

struct StatsColumn {
    int fieldX;
    int fieldWidth;
};

constexpr std::array<StatsColumn, 3> kColumns{{{34, 114}, {168, 114}, {303, 55}}};
constexpr int kRowHeight = 14;

} // namespace

CStatsBarDlg::CStatsBarDlg(QWidget* parent) : QWidget(parent) {
    const DialogUnits units = DialogUnits::forTemplateFont(QStringLiteral("Arial"), 10);
    setFont(toQFont(LogicalFont{QStringLiteral("Arial"), -13, 0, 400}));
    useBarColours(this);
    resize(units.toPixels(0, 0, 431, 72).size());
    layoutHeight_ = height();

    for (const StatsRow& row : kRows) {
        placeControl(new QLabel(QString::fromLatin1(row.label), this), units, 1, row.y, 32,
                     kRowHeight);
        placeControl(new QLabel(QStringLiteral("MIN"), this), units, 152, row.y, 16, kRowHeight);
        placeControl(new QLabel(QStringLiteral("AVG"), this), units, 284, row.y, 19, kRowHeight);
        for (int column = 0; column < 3; ++column) {
            auto* edit = new QLineEdit(this);
            edit->setReadOnly(true);
            edit->setObjectName(QString::number(row.fieldIds[column]));
            placeControl(edit, units, kColumns[column].fieldX, row.y, kColumns[column].fieldWidth,
                         kRowHeight);
        }
    }
    EnterEscapeFilter::install(this);
    hide(); // until the view places it
}

QLineEdit* CStatsBarDlg::field(int channel, Column column) const {
    return findChild<QLineEdit*>(QString::number(kRows.at(channel).fieldIds[column]),
                                 Qt::FindDirectChildrenOnly);
}

void CStatsBarDlg::refresh(const MeterState& state) {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        field(channel, kMaxColumn)->setText(QString::fromStdString(state.maxText()[channel]));
        field(channel, kMinColumn)->setText(QString::fromStdString(state.minText()[channel]));
        field(channel, kAvgColumn)->setText(QString::fromStdString(state.avgText()[channel]));
    }
}

QString CStatsBarDlg::fieldText(int channel, Column column) const {
    return field(channel, column)->text();
}

} // namespace calorant
