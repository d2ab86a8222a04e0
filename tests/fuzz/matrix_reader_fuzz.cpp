// Any bytes as a matrix file: ReadMatrix and ReadColumn either read or end
// the program through its exit (a malformed number, a file that ends
// early), never anything worse.
#include <cstddef>
#include <cstdint>
#include <string>

#include "containers/oda_matrix.h"
#include "tests/support/fake_platform.h"

using hopdir::testing::FakePlatform;

namespace {

// The first byte picks the shape and the column, the rest is the file.
void ReadOnce(const uint8_t* data, size_t size, bool column) {
  FakePlatform fake;
  const int16_t rows = static_cast<int16_t>(size > 0 ? data[0] % 5 : 1);
  const int16_t cols = static_cast<int16_t>(size > 0 ? (data[0] >> 4) % 5 : 1);
  const std::string content =
      size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string();
  fake.files.AddFile("C:\\M.TXT", content);
  hopdir::TextFile file;
  if (file.OpenForReading("C:\\M.TXT") != 0) return;
  hopdir::ODARealMatrixObj matrix;
  matrix.Init(rows, cols);
  fake.RunToExit([&] {
    hopdir::Str255 header;
    if (column) {
      matrix.ReadColumn(file, static_cast<int16_t>(size > 1 ? data[1] % 7 - 1 : 1));
    } else {
      matrix.ReadMatrix(file, header);
    }
  });
  matrix.Done();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadOnce(data, size, false);
  ReadOnce(data, size, true);
  return 0;
}
