// The bare reader the drawing reader is measured against: the file in
// 1 MiB blocks, every number in it (a run of characters that starts with a
// digit, a sign or a point and that std::from_chars takes) appended to one
// vector of doubles, nothing else kept. Prints the count and the sum, so
// the work cannot be left out. Standalone: bench/read_bench.sh builds it
// with the system compiler when no build holds it.
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kBlock = 1 << 20;

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

// Parses the numbers of [p, end) into out; returns where an unfinished one
// starts (it may go on in the next block), or end.
const char* ParseNumbers(const char* p, const char* end, bool last, std::vector<double>& out) {
  while (p < end) {
    if (!StartsNumber(*p)) {
      ++p;
      continue;
    }
    double v;
    const char* from = *p == '+' ? p + 1 : p;
    const auto r = std::from_chars(from, end, v);
    if (r.ptr == end && !last) return p;  // may go on in the next block
    if (r.ec == std::errc()) out.push_back(v);
    p = r.ptr > p ? r.ptr : p + 1;
  }
  return end;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reference_reader FILE\n");
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::vector<char> buffer(2 * kBlock);
  std::vector<double> numbers;
  std::size_t carried = 0;  // bytes of an unfinished number at the start of buffer
  for (;;) {
    const ssize_t n = read(fd, buffer.data() + carried, kBlock);
    if (n < 0) {
      std::perror(argv[1]);
      return 1;
    }
    const char* end = buffer.data() + carried + n;
    const char* rest = ParseNumbers(buffer.data(), end, n == 0, numbers);
    carried = static_cast<std::size_t>(end - rest);
    if (n == 0) break;
    if (carried > kBlock) carried = 0;  // no number is that long
    std::memmove(buffer.data(), rest, carried);
  }
  close(fd);
  double sum = 0;
  for (double v : numbers) sum += v;
  std::printf("%zu numbers, sum %.17g\n", numbers.size(), sum);
  return 0;
}
