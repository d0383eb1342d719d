// The per-user directory of files made under a fixed name: where it is, and
// that it is made private or refused when someone else could write it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files/private_directory.h"
#include "tests/support/temp_dir.h"

namespace {

// Sets or unsets environment variables for one test, restoring them after.
class ScopedEnv {
public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? old : "", old != nullptr});
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
      it->had ? setenv(it->name, it->value.c_str(), 1) : unsetenv(it->name);
  }

private:
  struct Saved {
    const char* name;
    std::string value;
    bool had;
  };
  std::vector<Saved> saved_;
};

TEST(PrivateDirectory, RuntimeThenCacheThenHome) {
  struct Case {
    const char* runtime;
    const char* cache;
    const char* expected;
  };
  for (const Case& c : {Case{"/run/user/7", "/c", "/run/user/7"}, Case{nullptr, "/c", "/c/quarvel"},
                        Case{"relative", "also-relative", "/h/.cache/quarvel"}, Case{"", nullptr, "/h/.cache/quarvel"}}) {
    ScopedEnv env;
    env.Set("XDG_RUNTIME_DIR", c.runtime);
    env.Set("XDG_CACHE_HOME", c.cache);
    env.Set("HOME", "/h");
    EXPECT_EQ(PrivateDirectoryPath(), c.expected);
  }
}

TEST(PrivateDirectory, MadePrivateOrRefused) {
  TempDir dir;
  const std::string made = dir.File("a/b/quarvel");
  ASSERT_TRUE(EnsurePrivateDirectory(made));
  struct stat st {};
  ASSERT_EQ(stat(made.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);

  const std::string open = dir.File("open");
  ASSERT_EQ(mkdir(open.c_str(), 0777), 0);
  ASSERT_EQ(chmod(open.c_str(), 0777), 0);
  ASSERT_TRUE(EnsurePrivateDirectory(open));  // ours: narrowed
  ASSERT_EQ(stat(open.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);

  const std::string link = dir.File("link");
  ASSERT_EQ(symlink(made.c_str(), link.c_str()), 0);
  EXPECT_EQ(EnsurePrivateDirectory(link).message(),
            "cannot use '" + link + "' as a private directory: it is a symbolic link");
  EXPECT_EQ(EnsurePrivateDirectory("rel/dir").status(), KStatus::kRefused);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(open.c_str(), 65534, 65534), 0);
    EXPECT_EQ(EnsurePrivateDirectory(open).message(),
              "cannot use '" + open + "' as a private directory: it belongs to another user");
    // A link at a file's name is refused only when another user owns it.
    ASSERT_EQ(lchown(link.c_str(), 65534, 65534), 0);
    EXPECT_EQ(CheckLinkOwner(link).status(), KStatus::kRefused);
  }
  EXPECT_TRUE(CheckLinkOwner(made));
  EXPECT_TRUE(CheckLinkOwner(dir.File("missing")));
}

}  // namespace
