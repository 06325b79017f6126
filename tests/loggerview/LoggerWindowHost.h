#pragma once

// The logger graph window on the offscreen platform over a document whose download the
// test fills in, with the user's gestures (double-clicks on the file list, toolbar
// clicks, mouse moves and drags) sent as real events, and what the window painted read
// back.
#include "core/CalendarTime.h"
#include "document/CKVDoc.h"
#include "loggerview/CLoggerGraphDlg.h"
#include "loggerview/LoggerGraphPainter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <vector>

namespace calorant::test {

// One downloaded set: its start, interval and the value of reading r on channel c.
struct SetSpec {
    std::time_t start = 0;
    int sampleRate = 1;
    int readings = 0;
    std::function<float(int reading, int channel)> value = [](int, int) { return 25.0f; };
};

inline LoggerStore downloadOf(const std::vector<SetSpec>& sets, std::uint8_t unit = 0) {
    LoggerStore store;
    store.setCount = static_cast<std::int32_t>(sets.size());
    store.setFirstReading.push_back(0);
    for (const SetSpec& set : sets) {
        for (int r = 0; r < set.readings; ++r)
            for (int c = 0; c < kChannelCount; ++c)
                store.readings.push_back(set.value(r, c));
        store.setFirstReading.push_back(static_cast<std::int32_t>(store.readings.size() / 5));
        store.setStartTime.push_back(set.start);
        store.setSampleRate.push_back(set.sampleRate);
    }
    store.loggerUnit = unit;
    store.downloadStoreReady = 1;
    return store;
}

// A document that has just downloaded `store`, and the logger graph window it opens;
// `prepare` may change the document before the window comes.
class LoggerWindowHost {
public:
    explicit LoggerWindowHost(LoggerStore store,
                              const std::function<void(CKVDoc&)>& prepare = nullptr) {
        doc.loggerStore() = std::move(store);
        doc.prepareLoggerDownload();
        if (prepare)
            prepare(doc);
        window = new CLoggerGraphDlg(doc);
        window->show();
        settle();
    }
    ~LoggerWindowHost() { delete window.data(); }
    LoggerWindowHost(const LoggerWindowHost&) = delete;
    LoggerWindowHost& operator=(const LoggerWindowHost&) = delete;

    // Lets every posted paint, queued call and deferred deletion happen.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QTableView& list() const { return *window->fileList(); }

    void doubleClickRow(int row) {
        QTableView& view = list();
        view.scrollTo(view.model()->index(row, 1));
        const QPoint at = view.visualRect(view.model()->index(row, 1)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
        settle();
    }

    void clickTool(LoggerCommandId id) {
        QWidget* button = window->toolBar()->widgetForAction(window->command(id));
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    // With no button held the move goes through the system cursor, which sends nothing
    // when it is there already (as an earlier window may have left it): it then comes
    // from the pixel beside.
    void moveMouse(QPoint to) {
        if (QCursor::pos() == window->mapToGlobal(to))
            QTest::mouseMove(window, to + QPoint(1, 0));
        QTest::mouseMove(window, to);
        settle();
    }

    // A move with the button held, delivered alone: no timer of the window runs after it
    // before the test looks.
    void moveHeldMouse(QPoint to) { QTest::mouseMove(window, to); }

    void press(QPoint at) {
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        settle();
    }
    void release(QPoint at) {
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        settle();
    }
    // The left button pressed at `from`, the mouse moved to `to` and released there.
    void drag(QPoint from, QPoint to) {
        press(from);
        moveMouse(to);
        release(to);
    }

    // What the window paints, children included, as a fresh rendering.
    QImage shot() const { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // What reached the screen: the window's backing store as it was last flushed.
    QImage screen() const {
        return QGuiApplication::primaryScreen()
            ->grabWindow(window->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    LoggerPlotRect plot() const { return plotRectOf(window->graphInputs()); }

    CKVDoc doc;
    QPointer<CLoggerGraphDlg> window;
};

// `text` in `font` with its top-left corner at `topLeft`, over the window's background:
// how the window draws its labels, to compare with what it drew.
inline QImage textOnBackground(const QImage& like, QPoint topLeft, const std::string& text,
                               const QFont& font) {
    QImage image(like.size(), QImage::Format_RGB32);
    image.fill(QColor(kLoggerBackground));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(kLoggerText));
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()),
                     QString::fromStdString(text));
    return image;
}

// Whether `shot` shows `text` at `topLeft`: every pixel of the text's box is the same
// as the text drawn alone on the background. The box runs from the text's left edge to
// a pixel beyond its advance, so a different or misplaced text does not match.
inline bool showsText(const QImage& shot, QPoint topLeft, const std::string& text,
                      const QFont& font) {
    const QImage expected = textOnBackground(shot, topLeft, text, font);
    const QFontMetrics metrics(font);
    const QRect box =
        QRect(topLeft.x(), topLeft.y(), metrics.horizontalAdvance(QString::fromStdString(text)) + 1,
              metrics.height()) &
        shot.rect();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (shot.pixel(x, y) != expected.pixel(x, y))
                return false;
    return !box.isEmpty();
}

} // namespace calorant::test
