// The windows' exchange with GIS files through quarvel-exchange as a child
// process: a drawing exported and imported back arrives as the in-process
// exchange brought it (counts, layers, a point's label and z), added to what
// the window held; a failure leaves the window as it was and shows the
// child's message; the private temporary drawing is gone on every path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "model/document/elements.h"
#include "qt/export/exchange_process.h"
#include "tests/exchange/exchange_tools.h"
#include "tests/support/temp_dir.h"
#include "window/editor/quarvel_window.h"

namespace {

#ifdef QUARVEL_EXCHANGE_BINARY
// Temporary drawings go to a runtime folder of the test's own, so that
// whatever is left behind shows.
class ExchangeProcess : public ::testing::Test {
protected:
  ExchangeProcess() : was_(std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "") {
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  }
  ~ExchangeProcess() override {
    if (was_.empty()) unsetenv("XDG_RUNTIME_DIR");
    else setenv("XDG_RUNTIME_DIR", was_.c_str(), 1);
  }
  TempDir runtime, files;
  const QString helper = QUARVEL_EXCHANGE_BINARY;

private:
  std::string was_;
};

TEST_F(ExchangeProcess, ExportThenImportAddsTheFeaturesAsTheCommandsDo) {
  QuarvelWindow source;
  source.OnOpenDocumentMem(kExchangeDrawing);
  const std::string gpkg = files.File("drawing.gpkg");
  const KResultWith<std::size_t> exported = ExportThroughExchange(source, gpkg, helper);
  ASSERT_TRUE(exported) << exported.message();
  EXPECT_EQ(exported.value(), 1u);  // the insertion does not travel

  QuarvelWindow target;
  target.OnOpenDocumentMem("Layer M kept\nPline\n0,0\n1,1\n\n");
  const KResultWith<KImportedCounts> added = ImportThroughExchange(target, {gpkg}, helper);
  ASSERT_TRUE(added) << added.message();
  // Two polylines; the point and the two x, y, z points as points; the text.
  EXPECT_EQ(added.value().polylines, 2u);
  EXPECT_EQ(added.value().points, 3u);
  EXPECT_EQ(added.value().texts, 1u);
  EXPECT_EQ(added.value().skipped, 0u);
  ASSERT_EQ(target.entries.size(), 7u);
  EXPECT_EQ(target.entries[0]->layer->name.view(), "kept");
  bool wellFound = false;
  for (const auto& e : target.entries)
    if (e->kind == kKindPoint && static_cast<const KPointText*>(e->record.get())->label.view() == "W-1") {
      wellFound = true;
      EXPECT_EQ(e->layer->name.view(), "wells");
      EXPECT_DOUBLE_EQ(static_cast<const KPointText*>(e->record.get())->z, -1500.25);
    }
  EXPECT_TRUE(wellFound);
  EXPECT_TRUE(runtime.Names().empty());
}

TEST_F(ExchangeProcess, AFailedImportLeavesTheWindowAndShowsTheChildsMessage) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n1,1\n\n");
  const std::string missing = files.File("missing.gpkg");
  const KResultWith<KImportedCounts> added = ImportThroughExchange(window, {missing}, helper);
  ASSERT_FALSE(added);
  EXPECT_NE(added.message().find("quarvel import: "), std::string::npos) << added.message();
  EXPECT_NE(added.message().find(missing), std::string::npos) << added.message();
  EXPECT_EQ(window.entries.size(), 1u);
  EXPECT_TRUE(runtime.Names().empty());
  EXPECT_EQ(ImportThroughExchange(window, {missing}, "").message(), "quarvel-exchange not found (built without GDAL?)");
}
#endif

}  // namespace
