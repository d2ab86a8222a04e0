#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "containers/bounded_arrays.h"
#include "containers/fatal_halt.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

// One routine pair, run end to end: allocate n, touch both ends of the
// block (index 0 and index n, so the sanitizer sees its true size), release.
struct Routine {
  std::string Name;
  std::function<bool(int32_t)> AllocTouchFree;
  std::function<bool(int32_t)> HaltsBeforeAllocating;
};

template <typename T>
Routine Make(const std::string& name, bool (*alloc)(T*&, int32_t), void (*release)(T*&, int32_t)) {
  auto touch_free = [=](int32_t n) {
    T* p = nullptr;
    if (!alloc(p, n) || p == nullptr) {
      return false;
    }
    p[0] = T{};
    p[n] = T{};
    release(p, n);
    return p == nullptr;
  };
  auto halts = [=](int32_t n) {
    T sentinel{};
    T* p = &sentinel;
    try {
      alloc(p, n);
    } catch (const testing::ProcessExit& exit) {
      return exit.Code == 1 && p == &sentinel;
    }
    return false;
  };
  return {name, touch_free, halts};
}

std::vector<Routine> AllRoutines() {
  return {
      Make("PtrArAlloc", PtrArAlloc, PtrArFree),
      Make("CharArAlloc", CharArAlloc, CharArFree),
      Make("ByteArAlloc", ByteArAlloc, ByteArFree),
      Make("BoolArAlloc", BoolArAlloc, BoolArFree),
      Make("Str10ArAlloc", Str10ArAlloc, Str10ArFree),
      Make("Str80ArAlloc", Str80ArAlloc, Str80ArFree),
      Make("Str255ArAlloc", Str255ArAlloc, Str255ArFree),
      Make("IntArAlloc", IntArAlloc, IntArFree),
      Make("WrdArAlloc", WrdArAlloc, WrdArFree),
      Make("LongIntArAlloc", LongIntArAlloc, LongIntArFree),
      Make("SingleArAlloc", SingleArAlloc, SingleArFree),
      Make("RealArAlloc", RealArAlloc, RealArFree),
      Make("DoubleArAlloc", DoubleArAlloc, DoubleArFree),
      Make("ExtendedArAlloc", ExtendedArAlloc, ExtendedArFree),
  };
}

TEST(ContainersArrays, EveryRoutineTakesZeroToTheLimitAndHaltsAboveItBeforeAllocating) {
  for (const Routine& routine : AllRoutines()) {
    SCOPED_TRACE(routine.Name);
    FakePlatform fake;
    for (int32_t n : {0, 1, MaxArElements}) EXPECT_TRUE(routine.AllocTouchFree(n)) << n;
    EXPECT_EQ(fake.console.Output, "");

    EXPECT_TRUE(routine.HaltsBeforeAllocating(MaxArElements + 1));
    std::string expected =
        routine.Name == "RealArAlloc" ? "Requested 322001 but limit is 322000\r\n" : "";
    EXPECT_EQ(fake.console.Output,
              expected + "HALTING! -- Structure too big\r\n" + routine.Name + "\r\n");
  }
  FakePlatform fake;
  double* p = nullptr;
  EXPECT_EQ(fake.RunToExit([&] { RealArAlloc(p, 2147483647); }), 1);
  EXPECT_EQ(fake.console.Output,
            "Requested 2147483647 but limit is 322000\r\nHALTING! -- Structure too big\r\n"
            "RealArAlloc\r\n");
  int16_t sentinel = 0;
  int16_t* ints = &sentinel;
  EXPECT_FALSE(IntArAlloc(ints, -1));
  EXPECT_EQ(ints, nullptr);
}

TEST(ContainersArrays, FatalHaltPrintsItsTwoLinesAndExitsWithOne) {
  FakePlatform fake;
  EXPECT_EQ(fake.RunToExit([] { FatalHalt("not enough RAM available."); }), 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\nnot enough RAM available.\r\n");
  EXPECT_EQ(fake.process.ExitCalls, 1);
}

TEST(ContainersArrays, SortsOrderSignedValuesFromIndexOneAndANanBlocksExchanges) {
  std::vector<int16_t> a = {7, 32767, -32768, 1, -1, 0, 12, -12, 300, -300, 2};
  SortIntAr(a.data(), 10);  // index 0 is outside the array
  EXPECT_EQ(a, (std::vector<int16_t>{7, -32768, -300, -12, -1, 0, 1, 2, 12, 300, 32767}));
  std::vector<int16_t> b = {9, 3, 1};
  SortIntAr(b.data(), 1);
  SortIntAr(b.data(), -5);
  EXPECT_EQ(b, (std::vector<int16_t>{9, 3, 1}));

  std::vector<double> c = {0.0, 1e300, -1e-300, -1e300, 0.0, 3.25, -0.5, 7.0};
  SortRealAr(c.data(), 7);
  EXPECT_EQ(c, (std::vector<double>{0.0, -1e300, -0.5, -1e-300, 0.0, 3.25, 7.0, 1e300}));
  // Neither 3 > NaN nor NaN > 1 holds, so nothing moves.
  std::vector<double> d = {0.0, 3.0, std::nan(""), 1.0};
  SortRealAr(d.data(), 3);
  EXPECT_EQ(d[1], 3.0);
  EXPECT_TRUE(std::isnan(d[2]));
  EXPECT_EQ(d[3], 1.0);
}

}  // namespace
}  // namespace hopdir
