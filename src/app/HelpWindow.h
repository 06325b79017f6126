#pragma once

#include <QWidget>

class QTextBrowser;

namespace calorant {

// The user manual: HTML pages compiled into the programme, shown in a window of their
// own that stays open beside the main window. Links between the pages work; links to
// web addresses open in the desktop's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "KL320 Thermocouple/IR Datalogger Help";
    static constexpr const char* kContentsPage = "qrc:/help/index.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void showContents();

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace calorant
