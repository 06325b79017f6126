#include "panel/DialogTemplate.h"

#include "panel/LogicalFont.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <cmath>

namespace calorant {

namespace {

// A closed drop-down list is one text line high; it drops down over what lies below.
constexpr int kClosedListHeight = 12;

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFrame* separator(QWidget& window, QFrame::Shape shape) {
    auto* line = new QFrame(&window);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A report-style list: columns with headers, grid lines, whole rows selected, one at a
// time, nothing edited in place.
QTableView* reportList(QWidget& window) {
    auto* list = new QTableView(&window);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->horizontalHeader()->setHighlightSections(false);
    return list;
}

QWidget* createControl(QWidget& window, const DialogControl& control) {
    const QString text = toQString(control.text);
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(text, &window);
    case ControlKind::Label:
        return new QLabel(text, &window);
    case ControlKind::Edit:
        return new QLineEdit(&window);
    case ControlKind::DropDownList:
        return new QComboBox(&window);
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, &window);
        button->setDefault(true);
        auto* dialog = qobject_cast<QDialog*>(&window);
        if (dialog && control.id == kOkButtonId)
            QObject::connect(button, &QPushButton::clicked, dialog, [dialog] { dialog->accept(); });
        return button;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(&window);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::ListView:
        return reportList(window);
    case ControlKind::HorizontalScrollBar:
        return new QScrollBar(Qt::Horizontal, &window);
    case ControlKind::HorizontalLine:
        return separator(window, QFrame::HLine);
    case ControlKind::VerticalLine:
        return separator(window, QFrame::VLine);
    }
    return nullptr;
}

QRect controlRect(const DialogUnits& units, const DialogControl& control) {
    const int height =
        control.kind == ControlKind::DropDownList ? kClosedListHeight : control.height;
    return units.toPixels(control.x, control.y, control.width, height);
}

} // namespace

DialogUnits templateUnits(const TemplateFont& font) {
    if (font.face == "System")
        return DialogUnits::systemTemplate();
    return DialogUnits::forTemplateFont(toQString(font.face), font.points);
}

QFont templateQFont(const TemplateFont& font) {
    const int pixels = static_cast<int>(std::lround(font.points * 96.0 / 72.0));
    return toQFont(LogicalFont{toQString(font.face), -pixels, 0, 400});
}

QWidget* DialogControls::widget(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

void DialogControls::followClientSize(QSize clientSize) const {
    const int dx = clientSize.width() - templateSize_.width();
    const int dy = clientSize.height() - templateSize_.height();
    for (const Placed& control : placed_) {
        QRect rect = control.rect;
        if (control.options & kKeepRight)
            rect.translate(dx, 0);
        if (control.options & kKeepBottom)
            rect.translate(0, dy);
        if (control.options & kGrowWidth)
            rect.setWidth(std::max(0, rect.width() + dx));
        if (control.options & kGrowHeight)
            rect.setHeight(std::max(0, rect.height() + dy));
        control.widget->setGeometry(rect);
    }
}

DialogControls buildDialog(QWidget& window, const DialogTemplate& layout, const QFont& labelFont) {
    const DialogUnits units = templateUnits(layout.font);
    window.setWindowTitle(toQString(layout.caption));
    window.setFont(templateQFont(layout.font));
    DialogControls controls;
    controls.templateSize_ = units.toPixels(0, 0, layout.width, layout.height).size();
    if (layout.fixedSize)
        window.setFixedSize(controls.templateSize_);
    else
        window.resize(controls.templateSize_);

    for (const DialogControl& control : layout.controls) {
        QWidget* widget = createControl(window, control);
        if (control.options & kLabelFont)
            widget->setFont(labelFont);
        if (!control.objectName.empty())
            widget->setObjectName(toQString(control.objectName));
        const QRect rect = controlRect(units, control);
        widget->setGeometry(rect);
        controls.placed_.push_back({widget, rect, control.options});
        if (control.id != kNoControlId)
            controls.byId_[control.id] = widget;
    }
    return controls;
}

} // namespace calorant
