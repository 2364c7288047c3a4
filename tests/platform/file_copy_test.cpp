#include "platform/file_copy.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

// A write that fails part way (the file size limit stands in for a full disk) leaves the
// old target as it was and no part of the copy anywhere.
TEST(FileCopy, AFailedWriteLeavesNoPartialTarget) {
    testing::TempFolder source;
    testing::TempFolder target;
    source.write("a.jpg", std::string(3 * copy_block_size + 5, 'n'));
    target.write("a.jpg", "old");
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{copy_block_size + 100, copy_block_size + 100};
        const bool failed = ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                            file_copy(source.file(u"a.jpg"), target.file(u"a.jpg"), [](const std::u16string&) {
                                return false;
                            }) == CopyFailure::Write;
        ::_exit(failed ? 0 : 1);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(testing::read_bytes(target.native_file("a.jpg")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.native()), {}), 1);
}

}  // namespace
}  // namespace lumivane
