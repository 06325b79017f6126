#include "loggerview/LoggerToolBar.h"

#include <QAction>
#include <QIcon>

namespace calorant {

namespace {

struct LoggerTool {
    LoggerCommandId id;
    const char* name;    // the button's name, for the window's own use and for tests
    const char* toolTip; // nullptr: none
};

constexpr LoggerTool kTools[] = {
    {kLoggerSave, "save", "Save"},    {kLoggerDownload, "download", "Download"},
    {kLoggerPrint, "print", nullptr}, {kLoggerZoomOut, "zoomout", "ZoomOut"},
    {kLoggerShowT1, "t1", nullptr},   {kLoggerShowT2, "t2", nullptr},
    {kLoggerShowIR, "ir", nullptr},   {kLoggerShowT3, "t3", nullptr},
    {kLoggerShowT4, "t4", nullptr},   {kLoggerShowAll, "all", nullptr},
    {kLoggerYAxis, "yaxis", nullptr},
};

} // namespace

LoggerToolBar::LoggerToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("loggerToolBar"));
    setIconSize(kImageSize);
    setMovable(false);
    setFloatable(false);
    setContentsMargins(0, 0, 0, 0);
    setStyleSheet(QStringLiteral("QToolBar { border: none; spacing: 1px; padding: 0px; }"
                                 "QToolButton { padding: 1px; margin: 0px; }"));
    for (const LoggerTool& tool : kTools) {
        const QString name = QString::fromLatin1(tool.name);
        auto* action =
            new QAction(QIcon(QStringLiteral(":/loggerview/%1.svg").arg(name)),
                        tool.toolTip ? QString::fromLatin1(tool.toolTip) : QString(), this);
        action->setObjectName(name);
        action->setData(int(tool.id));
        action->setEnabled(false);
        addAction(action);
        actions_[tool.id] = action;
    }
}

QAction* LoggerToolBar::command(LoggerCommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

} // namespace calorant
