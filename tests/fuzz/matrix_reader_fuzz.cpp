// Any bytes as a matrix file: ReadMatrix and ReadColumn either read or end
// the program through its exit (a malformed number, a file that ends
// early), never anything worse; and what ReadMatrix read into a matrix with
// columns, WriteMatrix writes in a form that reads back and is written
// again byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "containers/oda_matrix.h"
#include "tests/support/fake_platform.h"

using hopdir::testing::FakePlatform;

namespace {

// Reads the file `path` into `matrix`; false when the read ended the program.
bool Read(FakePlatform& fake, const char* path, hopdir::ODARealMatrixObj& matrix,
          hopdir::Str255& header) {
  hopdir::TextFile file;
  if (file.OpenForReading(path) != 0) std::abort();
  return fake.RunToExit([&] { matrix.ReadMatrix(file, header); }) == -1;
}

std::string Written(FakePlatform& fake, const hopdir::ODARealMatrixObj& matrix,
                    const hopdir::Str255& header) {
  hopdir::TextFile file;
  if (file.CreateForWriting("C:\\OUT.TXT") != 0 ||
      fake.RunToExit([&] { matrix.WriteMatrix(file, header); }) != -1 || file.Close() != 0) {
    std::abort();
  }
  return *fake.files.Content("C:\\OUT.TXT");
}

// The first byte picks the shape and the column, the rest is the file.
void ReadOnce(const uint8_t* data, size_t size, bool column) {
  FakePlatform fake;
  const int16_t rows = static_cast<int16_t>(size > 0 ? data[0] % 5 : 1);
  const int16_t cols = static_cast<int16_t>(size > 0 ? (data[0] >> 4) % 5 : 1);
  const std::string content =
      size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string();
  fake.files.AddFile("C:\\M.TXT", content);
  hopdir::ODARealMatrixObj matrix;
  matrix.Init(rows, cols);
  if (column) {
    hopdir::TextFile file;
    if (file.OpenForReading("C:\\M.TXT") != 0) std::abort();
    fake.RunToExit(
        [&] { matrix.ReadColumn(file, static_cast<int16_t>(size > 1 ? data[1] % 7 - 1 : 1)); });
    matrix.Done();
    return;
  }
  hopdir::Str255 header;
  // A row line begins with the blank before its first value: without
  // columns the rows cannot be told from other lines, as the format has it.
  if (Read(fake, "C:\\M.TXT", matrix, header) && cols > 0) {
    const std::string written = Written(fake, matrix, header);
    hopdir::ODARealMatrixObj again;
    again.Init(rows, cols);
    hopdir::Str255 header_again;
    if (!Read(fake, "C:\\OUT.TXT", again, header_again) || header_again != header ||
        Written(fake, again, header_again) != written) {
      std::abort();
    }
    again.Done();
  }
  matrix.Done();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadOnce(data, size, false);
  ReadOnce(data, size, true);
  return 0;
}
