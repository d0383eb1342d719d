// Saving a drawing to a file: the text, the reason of a failure, and a
// failure changes neither the file nor the document. How each kind of
// target is written is the atomic file's test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "io/document/writer.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_dir.h"
#include "window/editor/quarvel_window.h"

namespace {

namespace fs = std::filesystem;

TEST(WriterFile, SavesTheDrawingText) {
  TempDir dir;
  const std::string path = dir.File("a.qvd");
  WriteFileBytes(path, "old contents\n");
  QuarvelWindow window;
  window.OnOpenDocumentMem("Point 1,2 p\n");
  ASSERT_EQ(window.OnSaveDocument(path), 1);
  EXPECT_EQ(ReadFileBytes(path), "layer m 0 \r\npoint 1.000000,2.000000,0.000000 p\r\n");
  EXPECT_EQ(dir.Names().size(), 1u);  // no temporary file left beside it
}

TEST(WriterFile, SavingCountsTheEntriesOnAProgressSink) {
  TempDir dir;
  QuarvelWindow window;
  window.OnOpenDocumentMem("New b\nPoint 0,0 in\nEndNew\nPoint 1,2 p\nPoint 3,4 q\nPline\n0,0\n1,1\n\n");
  RecordingProgress progress;
  ASSERT_TRUE(window.Save(dir.File("a.qvd"), &progress));
  // The block's entry is not counted: the total is the drawing's own.
  EXPECT_EQ(progress.totals, std::vector<std::int64_t>{3});
  ASSERT_FALSE(progress.positions.empty());
  EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
  EXPECT_EQ(progress.positions.back(), 3);
}

TEST(WriterFile, PathThatCannotBeWrittenReturnsZeroAndSaysWhy) {
  TempDir dir;
  const std::string plain = dir.Write("plain", "x");
  fs::create_directories(dir.File("sub.qvd"));
  QuarvelWindow window;
  window.OnOpenDocumentMem("Layer M a\nPoint 1,2 p\n");
  KLayer* before = window.CurrentLayer();
  ASSERT_NE(before, nullptr);
  window.SetCurrentLayer(nullptr);
  // A missing directory, a file used as a directory, directories as the
  // target, and no name at all.
  const struct {
    std::string path, reason;
  } cases[] = {{dir.File("missing/a.qvd"), "No such file or directory"},
               {plain + "/a.qvd", "Not a directory"},
               {dir.File("sub.qvd"), "Is a directory"},
               {"", "No such file or directory"}};
  for (const auto& c : cases) {
    EXPECT_EQ(window.OnSaveDocument(c.path), 0) << c.path;
    const KResult r = window.Save(c.path);
    EXPECT_EQ(r.message(), "cannot write '" + c.path + "': " + c.reason);
    EXPECT_EQ(window.CurrentLayer(), nullptr) << c.path;
  }
  EXPECT_EQ(ReadFileBytes(plain), "x");
  EXPECT_TRUE(fs::is_directory(dir.File("sub.qvd")));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"plain", "sub.qvd"}));  // nothing left beside them
}

TEST(WriterFile, SavingChangesOnlyTheCurrentLayer) {
  TempDir dir;
  QuarvelWindow window;
  window.OnOpenDocumentMem(
      "Layer M a\nRGB 1 2 3\nTextProperties\nMark 1 2 3\n\nPoint 1,1 p\nLayer M b\nLayer T\nEmbellish\n"
      "ArrowHead 1 0\n\nPline\n0,0\n1,1\n\nNew blk\nPoint 0,0 q\nEndNew\nLayer M c\n");
  const auto tp = window.PendingTextProperties();
  const auto em = window.PendingEmbellishment();
  const std::size_t entries = window.entries.size();
  const std::size_t layers = window.OwnedLayers().size();
  const std::string before = [&] {
    KStringOutput out;
    WriteDocument(out, window);
    return out.text;
  }();
  ASSERT_EQ(window.OnSaveDocument(dir.File("x.qvd")), 1);
  EXPECT_EQ(window.PendingTextProperties(), tp);
  EXPECT_EQ(window.PendingEmbellishment(), em);
  EXPECT_EQ(window.currentColour, -(1 + 2 * 256 + 3 * 65536));
  EXPECT_EQ(window.entries.size(), entries);
  EXPECT_EQ(window.OwnedLayers().size(), layers);
  ASSERT_NE(window.CurrentLayer(), nullptr);
  EXPECT_EQ(window.CurrentLayer()->name, "b");  // the last layer written
  // Writing twice gives the same text.
  EXPECT_EQ(ReadFileBytes(dir.File("x.qvd")), before);
}

}  // namespace
