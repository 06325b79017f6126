#pragma once
// Saves that cannot go through, made without mounting anything: a full disk stands in as
// a limit on the size of any file written (RLIMIT_FSIZE, with SIGXFSZ ignored so that a
// write fails with EFBIG instead of ending the process), and a read-only folder is one
// whose write bits are cleared. Root writes into such a folder all the same, so for
// root the permission override is dropped too: from the calling thread while a
// ReadOnlyFolder lives, and from the bounding set of a child before it starts its
// programme. What a folder held can be taken down and compared byte for byte.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>
#include <csignal>
#include <sys/resource.h>

#ifdef __linux__
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace calorant::test {

// Every file under `folder`, hidden ones too, with its bytes, by path relative to it.
inline QMap<QString, QByteArray> folderContents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        contents[QDir(folder).relativeFilePath(file.fileName())] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return contents;
}

// What differs between two takes of a folder, one file a line; empty when nothing does.
inline QString contentsDifference(const QMap<QString, QByteArray>& before,
                                  const QMap<QString, QByteArray>& after) {
    QStringList lines;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!after.contains(it.key()))
            lines << "gone: " + it.key();
        else if (after.value(it.key()) != it.value())
            lines << "changed: " + it.key();
    }
    for (auto it = after.begin(); it != after.end(); ++it)
        if (!before.contains(it.key()))
            lines << "new: " + it.key();
    return lines.join('\n');
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Async-signal-safe: also for a child between fork and exec.
inline void limitFileSize(rlim_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
}

// While it lives, no file of this process grows beyond `bytes`: writes past that fail
// as they would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = signal(SIGXFSZ, SIG_IGN);
        limitFileSize(bytes);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = SIG_DFL;
};

// A child started with this modifier writes no file beyond `bytes`.
inline void startWithFileSizeLimit(QProcess& process, rlim_t bytes) {
    process.setChildProcessModifier([bytes] { limitFileSize(bytes); });
}

#ifdef __linux__
// The effective capabilities of the calling thread (pid 0).
inline bool threadCapabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}
inline bool setThreadCapabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}
#endif

// Can this thread create a file in `folder`?
inline bool canCreateFileIn(const QString& folder) {
    const QString probe = QDir(folder).filePath(QStringLiteral(".write-probe"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    QFile::remove(probe);
    return true;
}

// While it lives, `folder` takes no new file and no rename, for this thread: its write
// bits are cleared and, should this thread still be able to write there (root), its
// permission override is dropped. usable() is false when neither was enough.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder) : folder_(std::move(folder)) {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
#ifdef __linux__
        if (canCreateFileIn(folder_) && threadCapabilities(saved_)) {
            __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3];
            std::copy(std::begin(saved_), std::end(saved_), std::begin(reduced));
            reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
            dropped_ = setThreadCapabilities(reduced);
        }
#endif
        usable_ = !canCreateFileIn(folder_);
    }
    ~ReadOnlyFolder() {
#ifdef __linux__
        if (dropped_)
            setThreadCapabilities(saved_);
#endif
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool usable() const {
        return usable_;
    }

private:
    QString folder_;
    bool usable_ = false;
#ifdef __linux__
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
    bool dropped_ = false;
#endif
};

// A child started with this modifier has no permission override, even as root: folders
// without write bits are read-only to it. (The bounding set limits what the programme
// gets when it starts; a process without the right to change it keeps it.)
inline void startWithoutPermissionOverride(QProcess& process) {
#ifdef __linux__
    process.setChildProcessModifier([] { prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0); });
#else
    Q_UNUSED(process);
#endif
}

} // namespace calorant::test
