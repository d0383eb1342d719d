// Saving a drawing to a file: the text, the reason of a failure, and a
// failure changes neither the file nor the document. How each kind of
// target is written is the atomic file's test.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/io/writer.h"
#include "window/quarvel_window.h"

namespace {

namespace fs = std::filesystem;

class Dir {
public:
  Dir() : path_(fs::temp_directory_path() / ("quarvel_writer_file_" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Dir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::size_t Files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
  }

private:
  fs::path path_;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A drawing whose text is long enough to cross a small file-size limit.
void FillWindow(QuarvelWindow& window) {
  std::string text = "Layer M big\n";
  for (int i = 0; i < 2000; ++i)
    text += "Pline\n" + std::to_string(i) + ",0\n" + std::to_string(i) + ",1\n\n";
  window.OnOpenDocumentMem(text);
}

TEST(WriterFile, SavesTheDrawingText) {
  Dir dir;
  const std::string path = dir / "a.qvd";
  Put(path, "old contents\n");
  QuarvelWindow window;
  window.OnOpenDocumentMem("Point 1,2 p\n");
  ASSERT_EQ(window.OnSaveDocument(path), 1);
  EXPECT_EQ(Slurp(path), "layer m 0 \r\npoint 1.000000,2.000000,0.000000 p\r\n");
  EXPECT_EQ(dir.Files(), 1u);  // no temporary file left beside it
}

TEST(WriterFile, PathThatCannotBeWrittenReturnsZeroAndSaysWhy) {
  Dir dir;
  const std::string plain = dir / "plain";
  Put(plain, "x");
  fs::create_directories(dir / "sub.qvd");
  QuarvelWindow window;
  window.OnOpenDocumentMem("Layer M a\nPoint 1,2 p\n");
  KLayer* before = window.currentLayer;
  ASSERT_NE(before, nullptr);
  window.currentLayer = nullptr;
  // A missing directory, a file used as a directory, a directory as the
  // target, and no name at all.
  const struct {
    std::string path, reason;
  } cases[] = {{dir / "missing/a.qvd", "No such file or directory"},
               {plain + "/a.qvd", "Not a directory"},
               {dir / "sub.qvd", "Is a directory"},
               {"", "No such file or directory"}};
  for (const auto& c : cases) {
    EXPECT_EQ(window.OnSaveDocument(c.path), 0) << c.path;
    const KResult r = window.Save(c.path);
    EXPECT_EQ(r.message(), "cannot write '" + c.path + "': " + c.reason);
    EXPECT_EQ(window.currentLayer, nullptr) << c.path;
  }
  EXPECT_EQ(Slurp(plain), "x");
  EXPECT_TRUE(fs::is_directory(dir / "sub.qvd"));
  EXPECT_EQ(dir.Files(), 2u);
}

// Writes fail part way when the process may not grow a file past a few
// kilobytes. Done in a child so the limit ends with it.
TEST(WriterFile, FailureInTheMiddleLeavesTheOldFileIntact) {
  Dir dir;
  const std::string path = dir / "keep.qvd";
  const std::string old = "Pline\n0,0\n1,1\n\n";
  Put(path, old);

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    limit.rlim_cur = 4096;
    limit.rlim_max = RLIM_INFINITY;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    QuarvelWindow window;
    FillWindow(window);
    KLayer* before = window.currentLayer;
    window.currentLayer = nullptr;
    const int saved = window.OnSaveDocument(path);
    // 0 = reported as failed and document unchanged; 1 = reported success.
    _exit(saved == 0 && window.currentLayer == nullptr && before ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Slurp(path), old);
  EXPECT_EQ(dir.Files(), 1u);

  // Without the limit the same document saves (so the limit was what
  // failed it).
  QuarvelWindow window;
  FillWindow(window);
  EXPECT_EQ(window.OnSaveDocument(path), 1);
  EXPECT_GT(Slurp(path).size(), 4096u);
}

TEST(WriterFile, SavingChangesOnlyTheCurrentLayer) {
  Dir dir;
  QuarvelWindow window;
  window.OnOpenDocumentMem(
      "Layer M a\nRGB 1 2 3\nTextProperties\nMark 1 2 3\n\nPoint 1,1 p\nLayer M b\nLayer T\nEmbellish\n"
      "ArrowHead 1 0\n\nPline\n0,0\n1,1\n\nNew blk\nPoint 0,0 q\nEndNew\nLayer M c\n");
  const auto tp = window.pendingTextProperties;
  const auto em = window.pendingEmbellishment;
  const std::size_t entries = window.entries.size();
  const std::size_t layers = window.OwnedLayers().size();
  const std::string before = [&] {
    KStringOutput out;
    WriteDocument(out, window);
    return out.text;
  }();
  ASSERT_EQ(window.OnSaveDocument(dir / "x.qvd"), 1);
  EXPECT_EQ(window.pendingTextProperties, tp);
  EXPECT_EQ(window.pendingEmbellishment, em);
  EXPECT_EQ(window.currentColour, -(1 + 2 * 256 + 3 * 65536));
  EXPECT_EQ(window.entries.size(), entries);
  EXPECT_EQ(window.OwnedLayers().size(), layers);
  ASSERT_NE(window.currentLayer, nullptr);
  EXPECT_EQ(window.currentLayer->name, "b");  // the last layer written
  // Writing twice gives the same text.
  EXPECT_EQ(Slurp(dir / "x.qvd"), before);
}

}  // namespace
