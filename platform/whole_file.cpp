#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/atomic_file.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr qint64 read_chunk = 64 * 1024;

// Closes the descriptor on every way out of a read.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void fail_to_read(const QString& role, const QString& path, const QString& what) {
    throw Error(QStringLiteral("%1 \"%2\" cannot be read: %3.").arg(role, path, what));
}

// Opened without blocking, so a FIFO or a device given in place of a file is refused instead of
// waiting for a writer that never comes.
int open_regular_file(const QString& path, const QString& role) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw Error(QStringLiteral("%1 \"%2\" cannot be opened: %3.")
                        .arg(role, path, system_reason(error)));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        fail_to_read(role, path,
                     folder ? QStringLiteral("it is a folder")
                            : QStringLiteral("it is not an ordinary file"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Up to cap bytes, read until the end of the file, whatever size it claimed when opened.
QByteArray read_up_to(const Descriptor& file, qint64 cap, const QString& role,
                      const QString& path) {
    QByteArray bytes;
    while (cap < 0 || bytes.size() < cap) {
        const qint64 want = cap < 0 ? read_chunk : std::min(read_chunk, cap - bytes.size());
        const qsizetype had = bytes.size();
        bytes.resize(had + qsizetype(want));
        const ssize_t got = ::read(file.get(), bytes.data() + had, std::size_t(want));
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0) {
            fail_to_read(role, path, system_reason(errno));
        }
        bytes.resize(had + qsizetype(got));
        if (got == 0) {
            break;
        }
    }
    // Read in chunks, the array has room to spare; a stroke file of a few kilobytes kept for
    // the character shown would hold a chunk's worth.
    bytes.squeeze();
    return bytes;
}

bool is_leftover_save(QStringView name) {
    // Checked by hand: a pattern would load the regular expression library at every start.
    static const char* const endings[] = {"cfg", "dat", "txt", "wrt", "def",
                                          "gif", "jpg", "png", "pdf", "ini"};
    constexpr qsizetype suffix_size = 6;
    constexpr qsizetype ending_size = 3;
    const qsizetype suffix_dot = name.size() - suffix_size - 1;
    const qsizetype ending_dot = suffix_dot - ending_size - 1;
    if (ending_dot < 1 || name[ending_dot] != u'.' || name[suffix_dot] != u'.' ||
        name.left(ending_dot).contains(u'\n')) {
        return false;
    }
    for (const QChar c : name.mid(suffix_dot + 1)) {
        if (c.unicode() > 0x7F || !c.isLetterOrNumber()) {
            return false;
        }
    }
    const QStringView ending = name.mid(ending_dot + 1, ending_size);
    return std::any_of(std::begin(endings), std::end(endings), [&](const char* known) {
        return ending.compare(QLatin1String(known), Qt::CaseInsensitive) == 0;
    });
}

}  // namespace

int remove_leftover_saves(const QString& folder) {
    QDir dir(folder);
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (is_leftover_save(name) && dir.remove(name)) {
            ++removed;
        }
    }
    return removed;
}

void write_whole_file(const QString& path, const QByteArray& bytes, Durability durability) {
    AtomicFile file(path, durability);
    file.write(bytes);
    file.commit();
}

std::vector<std::optional<QString>> write_whole_files(const std::vector<FileToWrite>& files) {
    std::vector<std::optional<QString>> failures(files.size());
    std::vector<std::unique_ptr<AtomicFile>> started(files.size());
    for (std::size_t index = 0; index < files.size(); ++index) {
        try {
            started[index] = std::make_unique<AtomicFile>(files[index].path);
            started[index]->write(files[index].bytes);
            started[index]->start_writing();
        } catch (const Error& error) {
            failures[index] = error.message();
            started[index].reset();
        }
    }
    // The files renamed into each folder, by the first of them.
    std::vector<std::vector<std::size_t>> folders;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (!started[index]) {
            continue;
        }
        try {
            started[index]->commit(AtomicFile::FolderSync::by_caller);
        } catch (const Error& error) {
            failures[index] = error.message();
            continue;
        }
        const QString folder = QFileInfo(files[index].path).path();
        const auto same = std::find_if(folders.begin(), folders.end(), [&](const auto& renamed) {
            return QFileInfo(files[renamed.front()].path).path() == folder;
        });
        if (same == folders.end()) {
            folders.push_back({index});
        } else {
            same->push_back(index);
        }
    }
    for (const std::vector<std::size_t>& renamed : folders) {
        try {
            sync_folder_of(files[renamed.front()].path);
        } catch (const Error&) {
            // Each file renamed there gets the reason under its own name.
            for (const std::size_t index : renamed) {
                try {
                    sync_folder_of(files[index].path);
                } catch (const Error& error) {
                    failures[index] = error.message();
                }
            }
        }
    }
    return failures;
}

QByteArray read_whole_file(const QString& path, const QString& role, qint64 max_size) {
    const Descriptor file(open_regular_file(path, role));
    return read_up_to(file, max_size, role, path);
}

QByteArray read_limited_file(const QString& path, const QString& role, qint64 limit) {
    const Descriptor file(open_regular_file(path, role));
    QByteArray bytes = read_up_to(file, limit + 1, role, path);
    if (bytes.size() > limit) {
        const QLocale english(QLocale::English);
        throw Error(QStringLiteral("%1 \"%2\" is too large: at most %3 are read.")
                        .arg(role, path, english.formattedDataSize(limit)));
    }
    return bytes;
}

QString with_file_ending(const QString& name, const QString& ending) {
    return name.endsWith(ending, Qt::CaseInsensitive) ? name : name + ending;
}

}  // namespace inkwren
