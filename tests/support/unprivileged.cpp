#include "support/unprivileged.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

void HandOver(const std::filesystem::path& folder, uid_t user, gid_t group) {
    ASSERT_EQ(chown(folder.c_str(), user, group), 0) << folder;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        ASSERT_EQ(lchown(entry.path().c_str(), user, group), 0) << entry.path();
}

} // namespace

void AsUnprivilegedUser(const std::filesystem::path& folder, const std::function<void()>& body) {
    if (geteuid() != 0) {
        body();
        return;
    }
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr) << "no user \"nobody\" to drop to";
    const uid_t user = nobody->pw_uid;
    const gid_t group = nobody->pw_gid;
    HandOver(folder, user, group);
    if (testing::Test::HasFatalFailure()) return;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::printf("[ as nobody ] %s.%s runs as user nobody (uid %u), not as root\n",
                test->test_suite_name(), test->name(), unsigned(user));
    std::fflush(stdout);
    std::fflush(stderr);

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The groups first, while changing them is still allowed.
        if (setgroups(0, nullptr) != 0 || setgid(group) != 0 || setuid(user) != 0) _exit(3);
        body();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged child ended by signal " << WTERMSIG(status);
    ASSERT_NE(WEXITSTATUS(status), 3) << "could not drop to user nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "checks failed in the unprivileged child (above)";
}
