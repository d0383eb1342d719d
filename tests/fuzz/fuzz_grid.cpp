// libFuzzer target: a small drawing gridded end to end, as "quarvel grid"
// does it: the points, breaks and outlines gathered, the levels planned and
// relaxed, the net file written and read back. A grid that was written must
// read back with finite values only. The first byte picks num x, the
// number of levels and the solver; the rest is the drawing. Build with -DQUARVEL_FUZZ=ON
// (clang).
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "io/document/open_document.h"
#include "io/fxy/fxy_driver.h"
#include "io/grid/net_file_reader.h"
#include "platform/files/byte_source.h"
#include "window/editor/quarvel_window.h"

namespace {

// Keeps a run to a few milliseconds: few nodes, few sweeps. A drawing whose
// box is long and thin asks for a few thousand nodes along one axis even at
// num x 3; the budget refuses those (about 1900 nodes) rather than relaxing
// them for a second each under the sanitizers. Twenty sweeps reach every
// branch of the solvers that a hundred do (the grown corpus covers the same
// edges of each) at a fifth of the relaxing, which was most of a run.
constexpr double kMemoryBudget = 32 << 10;
constexpr int kSweeps = 20;

class KQuietStatus : public KFxyStatus {
public:
  void Text(int, int, const std::string&) override {}
  KFxyAnswer Ask() override { return KFxyAnswer::kContinue; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // In memory where the system has it: the writer syncs the file it writes,
  // which on a disk costs a flush per input.
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/quarvel_fuzz_net_" + std::to_string(getpid());
  const unsigned shape = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  QuarvelWindow window;
  KByteSource src = KByteSource::FromMemory(bytes);
  ReadTextFrom(window, src);

  KFxyDialogData options;
  const KFxyInput input = BeginFxy(window, options);
  options.numX = 3 + static_cast<int>(shape % 6);
  OnFxyNumXChanged(options);
  options.times = 1 + static_cast<int>((shape / 8) % 2);
  // The fast solver has its own start (data ties, cubic values of the level
  // before) and passes of its own.
  if (shape & 0x80) options.solver = KFxyDialogData::Solver::kFast;
  options.iterationLimit = kSweeps;
  options.output = path;
  KQuietStatus status;
  if (!RunFxy(input, options, status, kMemoryBudget)) return 0;

  KNetFile net;
  const KResult read = ReadNetFile(path, net);
  unlink(path.c_str());
  if (!read) std::abort();  // what the writer wrote must read back
  for (const knet::Node& node : net.nodes)
    if (!std::isfinite(node.value)) std::abort();
  return 0;
}
