// Every reader that opens a file by name fails the same way: kCannotOpen for
// what cannot be opened (a directory or FIFO among them), kBadInput for
// content it cannot use, with a message naming the file and the reason.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>

#include "model/curves/kcurve_array.h"
#include "io/document/open_document.h"
#include "io/grid/grid_file_reader.h"
#include "io/grid/net_file_reader.h"
#include "tests/support/temp_dir.h"
#include "window/editor/quarvel_window.h"

namespace {

class OpenFailure : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_.File(name); }
  std::string Write(const std::string& name, const std::string& bytes) const { return dir_.Write(name, bytes); }

  struct Reader {
    const char* name;
    std::function<KResult(const std::string& path)> read;
  };
  // Each reader also checks that a failure leaves its target empty.
  static std::vector<Reader> Readers() {
    return {
        {"text drawing",
         [](const std::string& path) {
           QuarvelWindow window;
           const KResult r = window.Open(path);
           if (!r) {
             EXPECT_EQ(window.OnOpenDocument(path), 0);  // the host's code for the same failure
           }
           EXPECT_TRUE(window.entries.empty());
           return r;
         }},
        {"step file",
         [](const std::string& path) {
           KOnes doc;
           const KResult r = OpenStepFile(doc, path);
           EXPECT_TRUE(doc.entries.empty());
           return r;
         }},
        {"curve file",
         [](const std::string& path) {
           KOnes doc;
           const KResult r = OpenCurveFile(doc, path);
           EXPECT_TRUE(doc.entries.empty());
           return r;
         }},
        {"grid file",
         [](const std::string& path) {
           KGridFile grid;
           grid.nx = grid.ny = 4;
           const KResult r = ReadGridFile(grid, path);
           EXPECT_EQ(grid.nx, 0);
           return r;
         }},
        {"net file",
         [](const std::string& path) {
           KNetFile net;
           const KResult r = ReadNetFile(path, net);
           EXPECT_EQ(net.nx, 0);
           return r;
         }},
    };
  }

private:
  TempDir dir_;
};

TEST_F(OpenFailure, WhatIsNotARegularFileIsRefusedByEveryReader) {
  ASSERT_EQ(mkdir(Path("dir").c_str(), 0755), 0);
  // Opening must not wait for a writer.
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  const struct {
    std::string path;
    const char* reason;
  } targets[] = {
      {Path("dir"), "Is a directory"},
      {Path("fifo"), "not a regular file"},
      {Path("missing"), "No such file or directory"},
  };
  for (const Reader& reader : Readers()) {
    for (const auto& target : targets) {
      SCOPED_TRACE(std::string(reader.name) + " at " + target.path);
      const KResult r = reader.read(target.path);
      EXPECT_EQ(r.status(), KStatus::kCannotOpen);
      EXPECT_EQ(r.message(), "cannot open '" + target.path + "': " + target.reason);
    }
  }
}

TEST_F(OpenFailure, UnusableContentNamesTheFileAndTheField) {
  // A grid file header whose nx is -3.
  std::string grid(99, '\0');
  grid[3] = static_cast<char>(0xFD);
  grid[4] = grid[5] = grid[6] = static_cast<char>(0xFF);
  const std::string gridPath = Write("x.grd", grid);
  KGridFile g;
  EXPECT_EQ(ReadGridFile(g, gridPath).message(), "grid file '" + gridPath + "': nx is negative (-3)");

  const std::string netPath = Write("x.net", "short");
  KNetFile net;
  const KResult n = ReadNetFile(netPath, net);
  EXPECT_EQ(n.status(), KStatus::kBadInput);
  EXPECT_EQ(n.message(), "net file '" + netPath + "': shorter than its header");

  const std::string drawing = Write("blocks.qvd", "NEW a PLINE\n0,0\n1,1\n\nENDNEW\nPOINT 1,1 p\n");
  KCurveArray array;
  const KResult c = ReadCurveArray(array, drawing);
  EXPECT_EQ(c.status(), KStatus::kBadInput);
  EXPECT_EQ(c.message().rfind("drawing '" + drawing + "': no top-level polyline", 0), 0u) << c.message();
}

}  // namespace
