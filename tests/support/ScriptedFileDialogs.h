#pragma once
// Answers a window's file dialogs from a script and keeps what it asked and said. The
// script outlives the window that owns the dialogs.
#include "panel/FileDialogs.h"

#include <QStringList>
#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

namespace calorant::test {

struct FileDialogScript {
    // Each dialog takes the next answer; nothing (cancel) once they are used up.
    std::deque<std::filesystem::path> savePaths;
    std::deque<std::filesystem::path> openPaths;

    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileDialogRequest> openRequests;
    QStringList messages;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    explicit ScriptedFileDialogs(FileDialogScript& script) : script_(script) {}

    std::optional<std::filesystem::path> askSavePath(const FileDialogRequest& request) override {
        script_.saveRequests.push_back(request);
        return next(script_.savePaths);
    }
    std::optional<std::filesystem::path> askOpenPath(const FileDialogRequest& request) override {
        script_.openRequests.push_back(request);
        return next(script_.openPaths);
    }
    void showMessage(const QString& text) override { script_.messages << text; }

private:
    static std::optional<std::filesystem::path> next(std::deque<std::filesystem::path>& answers) {
        if (answers.empty())
            return std::nullopt;
        std::filesystem::path answer = answers.front();
        answers.pop_front();
        return answer;
    }

    FileDialogScript& script_;
};

} // namespace calorant::test
