#include "panel/CGraphBarDlg.h"

#include "document/GraphDisplaySettings.h"
#include "panel/CYAxisDlg.h"
#include "panel/DialogLayout.h"
#include "panel/EnterEscapeFilter.h"
#include "panel/LogicalFont.h"
#include "panel/YAxisScale.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace calorant {

namespace {

struct ChannelButton {
    const char* text;
    int channel;
    int x;
};

// In layout order; IR sits between T2 and T3 as on the meter.
constexpr ChannelButton kChannelButtons[] = {
    {"T1", kT1, 0}, {"T2", kT2, 16}, {"IR", kIR, 32}, {"T3", kT3, 48}, {"T4", kT4, 64},
};

struct BarLabel {
    const char* text;
    int x, y, width, height;
};

constexpr BarLabel kLabels[] = {
    {"Real-Time Graph", 161, 0, 60, 8}, {"voltage stage", 174, 15, 47, 9},
    {"Start Time", 1, 32, 35, 8},       {"Sample Rate", 125, 32, 43, 8},
    {"Sec", 207, 29, 15, 12},           {"DataNo.", 228, 32, 27, 8},
};

struct BarField {
    CGraphBarDlg::Field id;
    int x, y, width, height;
};

constexpr BarField kFields[] = {
    {CGraphBarDlg::kBatteryField, 222, 14, 37, 12},
    {CGraphBarDlg::kStartTimeField, 38, 29, 82, 12},
    {CGraphBarDlg::kSampleRateField, 169, 29, 37, 12},
    {CGraphBarDlg::kDataNoField, 260, 29, 34, 12},
};

} // namespace

CGraphBarDlg::CGraphBarDlg(GraphDisplaySettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    const DialogUnits units = DialogUnits::forTemplateFont(QStringLiteral("Arial"), 11);
    setFont(toQFont(LogicalFont{QStringLiteral("Arial"), -15, 0, 400}));
    useBarColours(this);
    resize(units.toPixels(0, 0, 359, 44).size());
    layoutHeight_ = height();

    for (const BarLabel& label : kLabels)
        placeControl(new QLabel(QString::fromLatin1(label.text), this), units, label.x, label.y,
                     label.width, label.height);

    for (const ChannelButton& channel : kChannelButtons) {
        auto* button = new QPushButton(QString::fromLatin1(channel.text), this);
        placeControl(button, units, channel.x, 13, 16, 14);
        connect(button, &QPushButton::clicked, this,
                [this, index = channel.channel] { showOnlyChannel(index); });
    }
    auto* combine = new QPushButton(QStringLiteral("Combine"), this);
    placeControl(combine, units, 88, 13, 32, 14);
    connect(combine, &QPushButton::clicked, this, &CGraphBarDlg::showAllChannels);

    auto* yAxis = new QPushButton(QStringLiteral("Y Axis"), this);
    placeControl(yAxis, units, 125, 13, 32, 14);
    connect(yAxis, &QPushButton::clicked, this, &CGraphBarDlg::runYAxisSetup);

    for (const BarField& field : kFields) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setObjectName(QString::number(field.id));
        placeControl(edit, units, field.x, field.y, field.width, field.height);
    }

    EnterEscapeFilter::install(this);
    hide(); // until the view places it
}

QLineEdit* CGraphBarDlg::field(Field id) const {
    return findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CGraphBarDlg::setBatteryText(const std::string& text) {
    field(kBatteryField)->setText(QString::fromStdString(text));
}

void CGraphBarDlg::setStartTimeText(const std::string& text) {
    field(kStartTimeField)->setText(QString::fromStdString(text));
}

void CGraphBarDlg::setSampleRateText(const std::string& text) {
    field(kSampleRateField)->setText(QString::fromStdString(text));
}

void CGraphBarDlg::setDataNoText(const std::string& text) {
    field(kDataNoField)->setText(QString::fromStdString(text));
}

QString CGraphBarDlg::fieldText(Field id) const {
    return field(id)->text();
}

void CGraphBarDlg::showOnlyChannel(int channel) {
    settings_.graphChannelVisible.fill(false);
    settings_.graphChannelVisible[channel] = true;
    emit channelVisibilityChanged();
}

void CGraphBarDlg::showAllChannels() {
    settings_.graphChannelVisible.fill(true);
    emit channelVisibilityChanged();
}

void CGraphBarDlg::runYAxisSetup() {
    CYAxisDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const YAxisScale scale = applyYAxisSelection({settings_.graphYGain, settings_.graphYOffset},
                                                 dialog.gainIndex(), dialog.offsetIndex());
    settings_.graphYGain = scale.gain;
    settings_.graphYOffset = scale.offset;
    emit yAxisChanged();
}

} // namespace calorant
