#pragma once

#include "panel/DialogUnits.h"

#include <QFont>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <map>
#include <span>
#include <string_view>
#include <vector>

namespace calorant {

// What a control of a window template is. An OK button (id 1) in a dialog confirms it.
enum class ControlKind : std::uint8_t {
    GroupBox,
    Label,
    Edit,
    DropDownList, // the rectangle's height is the dropped-down list's; closed it is one line
    DefaultButton,
    ProgressBar,
    ListView,
    HorizontalScrollBar,
    HorizontalLine, // an etched separator
    VerticalLine,
};

// Templates mark their static texts and group boxes with this id.
inline constexpr int kNoControlId = -1;
inline constexpr int kOkButtonId = 1;

// Options of a template line. A control marked kLabelFont takes the dialog's own label
// font instead of the template's. The others say how a control follows a window that
// is larger than its template: its width or height grows with the window, or it keeps
// its distance to the right or bottom edge.
enum ControlOption : std::uint8_t {
    kLabelFont = 1,
    kGrowWidth = 2,
    kGrowHeight = 4,
    kKeepRight = 8,
    kKeepBottom = 16,
};

// One line of a window template: id, kind, text and rectangle in dialog units, then
// its options and the object name callers and tests find it by (may be empty).
struct DialogControl {
    constexpr DialogControl(int id, ControlKind kind, std::string_view text, int x, int y,
                            int width, int height, std::uint8_t options = 0,
                            std::string_view objectName = {})
        : id(id), kind(kind), text(text), x(x), y(y), width(width), height(height),
          options(options), objectName(objectName) {}

    int id;
    ControlKind kind;
    std::string_view text;
    int x;
    int y;
    int width;
    int height;
    std::uint8_t options;
    std::string_view objectName;
};

// The font a template is laid out in. "System" has fixed base units; any other face
// is measured (an unknown one stands for the default sans face).
struct TemplateFont {
    std::string_view face;
    int points = 0;
};

// A window template: caption, size in dialog units, font and controls. A fixed window
// keeps its template size; any other opens at it and may be resized.
struct DialogTemplate {
    std::string_view caption;
    int width = 0;
    int height = 0;
    TemplateFont font;
    std::span<const DialogControl> controls;
    bool fixedSize = true;
};

DialogUnits templateUnits(const TemplateFont& font);
QFont templateQFont(const TemplateFont& font);

// The controls of one window built from its template, found by id.
class DialogControls {
public:
    QWidget* widget(int id) const;
    template <typename Control> Control* get(int id) const {
        return qobject_cast<Control*>(widget(id));
    }

    // Places every control for a client area of `clientSize`, each following the
    // window's growth beyond its template size as its template line says.
    void followClientSize(QSize clientSize) const;

private:
    friend DialogControls buildDialog(QWidget&, const DialogTemplate&, const QFont&);
    struct Placed {
        QWidget* widget;
        QRect rect; // in pixels at the template size
        std::uint8_t options;
    };
    std::map<int, QWidget*> byId_;
    std::vector<Placed> placed_;
    QSize templateSize_;
};

// Sets the window's caption, font and size from the template and creates its controls
// in template order, each at its rectangle. labelFont is the font of the controls
// marked kLabelFont.
DialogControls buildDialog(QWidget& window, const DialogTemplate& layout,
                           const QFont& labelFont = QFont());

} // namespace calorant
