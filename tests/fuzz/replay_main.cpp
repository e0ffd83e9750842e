// Runs a fuzz harness as an ordinary test, without libFuzzer: over every
// file of its seed corpus, then over a fixed series of pseudo-random inputs.
// A broken property aborts, so the test fails with the harness's message.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER RANDOM_INPUTS\n", argv[0]);
    return 2;
  }
  size_t seeds = 0;
  std::error_code none;  // a harness may have no seeds yet
  for (const auto& entry : std::filesystem::directory_iterator(argv[1], none)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++seeds;
  }
  std::mt19937 random(20261206);
  const long count = std::atol(argv[2]);
  for (long i = 0; i < count; ++i) {
    std::vector<uint8_t> bytes(random() % 1024);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu seeds and %ld random inputs kept every property\n", seeds,
              count);
  return 0;
}
