#include "posix_files.h"

#include "platform/text/text_codec.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string systemPath(const std::string& gbkPath) {
    return textcodec::gbkToUtf8(gbkPath);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        if (fd_ < 0) return true;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& contents) {
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// A link to the settings file stays a link: the file it points to is the one replaced.
std::string resolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

} // namespace

std::string PosixFiles::programFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    return textcodec::utf8ToGbk(folderOf(std::string(buffer, static_cast<std::size_t>(n))));
}

bool PosixFiles::exists(const std::string& path) {
    struct stat st {};
    return ::stat(systemPath(path).c_str(), &st) == 0;
}

bool PosixFiles::createEmpty(const std::string& path) {
    // Never truncates: a file that appeared meanwhile keeps its contents.
    Descriptor fd(::open(systemPath(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    return fd.valid() && fd.close();
}

bool PosixFiles::createFolder(const std::string& path) {
    return ::mkdir(systemPath(path).c_str(), 0777) == 0 || errno == EEXIST;
}

std::optional<std::string> PosixFiles::readAll(const std::string& path) {
    Descriptor fd(::open(systemPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    return contents;
}

bool PosixFiles::replaceAll(const std::string& path, const std::string& contents) {
    const std::string target = resolveLink(systemPath(path));
    const std::string folder = folderOf(target);
    const auto slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";

    Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.valid()) return false;
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), contents) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}
