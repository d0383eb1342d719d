// Every reader over every file of the corpus of truncated, garbled and
// hostile inputs (tests/data/corpus, made by tests/data/make_corpus.py):
// none may crash or read outside a buffer (the sanitizer build checks), and
// what they keep stays proportional to the input. Degenerate drawings, many
// of the smallest elements of one kind, stay within a bound of heap memory
// per input byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "io/document/open_document.h"
#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "model/grid/kxyz_list.h"
#include "platform/files/byte_source.h"
#include "platform/base/fixed_pool.h"
#include "tests/support/file_bytes.h"
#include "tests/support/heap_counter.h"
#include "tests/support/temp_dir.h"
#include "window/editor/quarvel_window.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(fs::path(QUARVEL_TEST_DATA) / "corpus"))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::size_t CurveUnits(const KCurve& c) { return 1 + static_cast<std::size_t>(c.count); }

// Everything a document keeps that grows with its input: entries, layers,
// blocks (and their contents), vertices, points, curves and steps.
std::size_t Units(const KOnes& doc) {
  std::size_t n = doc.entries.size() + doc.OwnedLayers().size();
  doc.blocks.EnumeratePaths("", [&](const std::string&, KOnes* block) { n += 1 + (block ? Units(*block) : 0); });
  for (const auto& e : doc.entries) {
    if (const auto* curve = e->As<KCurve>()) n += CurveUnits(*curve);
    if (const auto* list = e->As<KXyzList>()) n += list->size();
    if (const auto* steps = e->As<KStepList>()) n += steps->steps.size();
    if (const auto* array = e->As<KCurveArray>()) {
      for (const auto& element : array->elements) {
        if (!element) continue;
        n += CurveUnits(*element);
        if (const auto* group = dynamic_cast<const KCurveGroup*>(element.get()))
          for (const auto& curve : group->curves) n += curve ? CurveUnits(*curve) : 0;
      }
    }
  }
  return n;
}

// Each unit costs at least a couple of input bytes; a document, a step
// list and the default layer exist even for empty input.
void ExpectBounded(const QuarvelWindow& w, std::size_t inputSize, const std::string& what) {
  EXPECT_LE(Units(w), 2 * inputSize + 8) << what;
  EXPECT_LE(w.ReadIssues().size(), inputSize + 8) << what;
}

TEST(Corpus, HasItsFiles) {
  // Guards against the loops below silently running over nothing.
  EXPECT_GE(CorpusFiles().size(), 100u);
}

TEST(Corpus, EveryReaderSurvivesEveryFile) {
  for (const fs::path& file : CorpusFiles()) {
    const std::string bytes = ReadFileBytes(file.string());
    const std::string name = file.filename().string();
    {
      QuarvelWindow w;
      EXPECT_TRUE(OpenTextFile(w, file.string()).ok()) << name;
      w.ComputeExtent();
      ExpectBounded(w, bytes.size(), name + " as drawing");
    }
    {
      QuarvelWindow w;
      EXPECT_EQ(w.OnOpenDocumentStep(file.string()), 1) << name;
      ASSERT_FALSE(w.entries.empty()) << name;
      EXPECT_EQ(w.entries[0]->kind, kKindStepList) << name;
      ExpectBounded(w, bytes.size(), name + " as STEP file");
    }
    {
      QuarvelWindow w;
      EXPECT_EQ(w.OnOpenDocumentCurves(file.string()), 1) << name;
      ASSERT_EQ(w.entries.size(), 1u) << name;
      ExpectBounded(w, bytes.size(), name + " as curve file");
    }
    {
      QuarvelWindow w;
      w.OnOpenDocumentMem(bytes);
      ExpectBounded(w, bytes.size(), name + " from memory");
    }
  }
}

// The text, step and curve readers over a source, each as it is called.
const std::function<void(KOnes&, KByteSource&)> kMemoryReaders[] = {
    [](KOnes& doc, KByteSource& src) { ReadTextFrom(doc, src); },
    [](KOnes& doc, KByteSource& src) { ReadStepFrom(doc, src); },
    ReadCurvesFrom,
};

TEST(Corpus, EveryPrefixOfTheSmallFiles) {
  constexpr std::size_t kSmall = 600;
  int files = 0;
  for (const fs::path& file : CorpusFiles()) {
    const std::string bytes = ReadFileBytes(file.string());
    if (bytes.size() > kSmall) continue;
    ++files;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
      const std::string prefix = bytes.substr(0, n);
      const std::string what = file.filename().string() + " cut at " + std::to_string(n);
      for (const auto& read : kMemoryReaders) {
        QuarvelWindow w;
        KByteSource src = KByteSource::FromMemory(prefix);
        read(w, src);
        w.ComputeExtent();
        ExpectBounded(w, n, what);
      }
    }
  }
  EXPECT_GE(files, 18);  // at least the one-record files
}

// Each kind repeats one small element, numbered so that names differ, to
// about this size; limits are per input byte, so the size only needs to
// dwarf the reader's fixed buffers.
constexpr std::size_t kDegenerateBytes = 4'000'000;

struct DegenerateKind {
  const char* name;
  const char* file;                         // its extension chooses the reader
  std::function<std::string(int)> element;  // the n-th element
  // The most heap the reader may hold at any moment, per input byte. Where
  // each element is a record of its own, the records' fixed size sets it:
  // an entry and a polyline's block of vertices, a document per block, a
  // layer and its tree node, a step's three strings.
  double limit;
};

TEST(Corpus, DegenerateDrawingsStayWithinTheMemoryBound) {
  const DegenerateKind kinds[] = {
      {"one-point polylines", "d.qvd", [](int n) { return "PLINE\n" + std::to_string(n % 10) + ",1\n\n"; }, 1},
      {"two-vertex polylines", "d.qvd",
       [](int n) { return "PLINE\n0,0\n" + std::to_string(n % 10 + 1) + ",1\n\n"; }, 10},
      {"empty blocks", "d.qvd", [](int n) { return "NEW b" + std::to_string(n) + " ENDNEW\n"; }, 9},
      {"layers", "d.qvd", [](int n) { return "LAYER M l" + std::to_string(n) + "\n"; }, 9},
      {"one-point x, y, z lists", "d.qvd", [](int) { return std::string("XYZ\n1,2,3\n\n"); }, 10},
      // Heap counts the entry list's spare capacity, which is never touched
      // (peak RSS per input byte is 9.6 here): an entry, a text, a slot.
      {"texts", "d.qvd", [](int) { return std::string("Text 1,2 3 1 T\n"); }, 11},
      {"embellished polylines", "d.qvd",
       [](int n) { return "Embellish\nProperties 0.5 " + std::to_string(n % 255) + " N 0\nSolid\n\nPline\n0,0\n1,1\n\n"; },
       10},
      {"points", "d.qvd", [](int n) { return "POINT " + std::to_string(n % 10) + ",1 w\n"; }, 10},
      {"two-point curves", "d.kcx", [](int n) { return "0,0\n" + std::to_string(n % 10 + 1) + ",1\n1 0 0 0\n"; }, 10},
      {"steps", "d.step", [](int n) { return "#0001 step" + std::to_string(n % 10) + "\n"; }, 10},
      // A block replaced by a later one of the same name is freed.
      {"blocks of one name", "d.qvd", [](int) { return std::string("NEW a\nPOINT 1,1 w\nENDNEW\n"); }, 1},
  };
  // The limits hold for the build users run. A sanitizer build gives every
  // pooled entry, record and text a heap block of its own, which costs up to
  // a byte more per input byte on the smallest elements (texts: 11.8).
  const double sanitizerAllowance = KFixedPool::Pooling() ? 0.0 : 1.0;
  TempDir dir;
  for (const DegenerateKind& kind : kinds) {
    std::string bytes;
    for (int n = 0; bytes.size() < kDegenerateBytes; ++n) bytes += kind.element(n);
    const std::string path = dir.Write(kind.file, bytes);
    const std::int64_t before = HeapInUse();
    ResetHeapPeak();
    {
      QuarvelWindow w;
      ASSERT_TRUE(w.Open(path).ok()) << kind.name;
      w.ComputeExtent();
    }
    const double perByte = static_cast<double>(HeapPeak() - before) / static_cast<double>(bytes.size());
    std::printf("[ memory   ] %-22s %.2f heap bytes per input byte\n", kind.name, perByte);
    EXPECT_LE(perByte, kind.limit + sanitizerAllowance) << kind.name;
  }
}

}  // namespace
