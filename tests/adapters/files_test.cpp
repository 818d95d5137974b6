#include "platform/files/posix_files.h"
#include "platform/text/text_codec.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/orrinvale-files-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    const std::string& path() const { return path_; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        DIR* dir = opendir(path_.c_str());
        while (dirent* e = readdir(dir))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.emplace_back(e->d_name);
        closedir(dir);
        return names;
    }

private:
    std::string path_;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

const std::string configName = "配置文件.ini"; // GBK bytes in this program

} // namespace

TEST(PosixFiles, ReplaceAllWritesUnderTheUtf8NameAndKeepsPermissions) {
    TempFolder dir;
    PosixFiles files;
    const std::string gbkPath = textcodec::utf8ToGbk(dir.path()) + "/" + configName;
    const std::string diskPath = dir.path() + "/" + textcodec::gbkToUtf8(configName);

    ASSERT_TRUE(files.replaceAll(gbkPath, "first\r\n"));
    EXPECT_EQ(slurp(diskPath), "first\r\n");
    EXPECT_EQ(diskPath, dir.path() + "/\xE9\x85\x8D\xE7\xBD\xAE\xE6\x96\x87\xE4\xBB\xB6.ini");

    chmod(diskPath.c_str(), 0640);
    ASSERT_TRUE(files.replaceAll(gbkPath, "second\r\n"));
    EXPECT_EQ(slurp(diskPath), "second\r\n");
    EXPECT_EQ(modeOf(diskPath), 0640u);
    EXPECT_EQ(dir.entries().size(), 1u) << "no temporary file is left beside the settings";
}

TEST(PosixFiles, FailedWriteLeavesTheOldFileAndNoTemporary) {
    TempFolder dir;
    PosixFiles files;
    const std::string path = dir.path() + "/settings.ini";
    ASSERT_TRUE(files.replaceAll(path, "old contents"));

    // A file size limit makes the write fail part way, as a full disk would (and works for root too).
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = files.replaceAll(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(slurp(path), "old contents");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings.ini"});
}

TEST(PosixFiles, ReplaceIntoAMissingFolderFails) {
    PosixFiles files;
    EXPECT_FALSE(files.replaceAll("/tmp/orrinvale-no-such-folder-xyz/a.ini", "x"));
}

TEST(PosixFiles, ReplacingThroughALinkKeepsTheLink) {
    TempFolder dir;
    PosixFiles files;
    const std::string real = dir.path() + "/real.ini";
    const std::string link = dir.path() + "/link.ini";
    ASSERT_TRUE(files.replaceAll(real, "a"));
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(files.replaceAll(link, "b"));
    struct stat st {};
    lstat(link.c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(slurp(real), "b");
}

TEST(PosixFiles, CreateEmptyNeverTruncatesAndReadAllReportsMissing) {
    TempFolder dir;
    PosixFiles files;
    const std::string path = dir.path() + "/a.ini";
    EXPECT_FALSE(files.readAll(path).has_value());
    EXPECT_FALSE(files.exists(path));
    ASSERT_TRUE(files.createEmpty(path));
    EXPECT_EQ(files.readAll(path), std::string());
    ASSERT_TRUE(files.replaceAll(path, "keep"));
    EXPECT_TRUE(files.createEmpty(path));
    EXPECT_EQ(files.readAll(path), std::string("keep"));
    EXPECT_TRUE(files.createFolder(dir.path() + "/每日记"));
    EXPECT_TRUE(files.createFolder(dir.path() + "/每日记"));
    EXPECT_TRUE(files.exists(dir.path() + "/每日记"));
}

TEST(PosixFiles, ProgramFolderIsTheExecutablesFolder) {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    std::string exe(buffer, static_cast<std::size_t>(n));
    PosixFiles files;
    EXPECT_EQ(textcodec::gbkToUtf8(files.programFolder()), exe.substr(0, exe.rfind('/')));
}

TEST(TextCodec, RoundTripsEveryKindOfText) {
    struct Case {
        const char* what;
        std::string gbk;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"ascii", "abc 123", "abc 123"},
        {"gbk", "事件条1内容",
         "\xE4\xBA\x8B\xE4\xBB\xB6\xE6\x9D\xA1"
         "1\xE5\x86\x85\xE5\xAE\xB9"},
        {"full width", "\xA3\xB1\xA3\xB2", "\xEF\xBC\x91\xEF\xBC\x92"},
        // U+1F600 is beyond GBK: its four-byte GB18030 form, never "?".
        {"beyond gbk", "\x94\x39\xFC\x36", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textcodec::gbkToUtf8(c.gbk), c.utf8) << c.what;
        EXPECT_EQ(textcodec::utf8ToGbk(c.utf8), c.gbk) << c.what;
    }
}

TEST(TextCodec, InvalidBytesOnEitherSideComeBackUnchanged) {
    const std::vector<std::string> badGbk = {"\x81", "a\x80z", "\xFF\xFF", "\x81\x20x", "事\xFE"};
    for (const std::string& s : badGbk) {
        const std::string utf8 = textcodec::gbkToUtf8(s);
        EXPECT_EQ(textcodec::utf8ToGbk(utf8), s);
        EXPECT_EQ(utf8.find('?'), std::string::npos);
    }
    const std::vector<std::string> badUtf8 = {"\xC3", "dir\xB0\xC5\xD6\xC3", "\xE4\xBA", "ok\xFF"};
    for (const std::string& s : badUtf8)
        EXPECT_EQ(textcodec::gbkToUtf8(textcodec::utf8ToGbk(s)), s);
}
