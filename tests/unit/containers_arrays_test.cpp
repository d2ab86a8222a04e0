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
  std::function<void(int32_t, bool&)> AllocOver;
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
  // Records on the way out, also when a halt unwinds, whether p kept its value.
  auto leaves = [=](int32_t n, bool& kept) {
    T sentinel{};
    T* p = &sentinel;
    struct Check {
      T*& p;
      T* old;
      bool& kept;
      ~Check() { kept = p == old; }
    } check{p, &sentinel, kept};
    alloc(p, n);
  };
  return {name, touch_free, leaves};
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

TEST(ContainersArrays, EveryRoutineTakesTheLimitAndHaltsJustAboveItBeforeAllocating) {
  for (const Routine& routine : AllRoutines()) {
    SCOPED_TRACE(routine.Name);
    FakePlatform fake;
    EXPECT_TRUE(routine.AllocTouchFree(MaxArElements));
    EXPECT_EQ(fake.console.Output, "");

    bool kept = false;
    EXPECT_EQ(fake.RunToExit([&] { routine.AllocOver(MaxArElements + 1, kept); }), 1);
    EXPECT_TRUE(kept);  // halted before anything was allocated
    std::string expected =
        routine.Name == "RealArAlloc" ? "Requested 322001 but limit is 322000\r\n" : "";
    expected += "HALTING! -- Structure too big\r\n";
    expected += routine.Name;
    expected += "\r\n";
    EXPECT_EQ(fake.console.Output, expected);
  }
}

TEST(ContainersArrays, HugeRequestsPrintTheirCountInFull) {
  FakePlatform fake;
  double* p = nullptr;
  EXPECT_EQ(fake.RunToExit([&] { RealArAlloc(p, 2147483647); }), 1);
  EXPECT_EQ(fake.console.Output,
            "Requested 2147483647 but limit is 322000\r\nHALTING! -- Structure too big\r\n"
            "RealArAlloc\r\n");
  EXPECT_EQ(p, nullptr);
}

TEST(ContainersArrays, ZeroGivesOneElementAndNegativeCountsFail) {
  FakePlatform fake;
  for (const Routine& routine : AllRoutines()) {
    SCOPED_TRACE(routine.Name);
    EXPECT_TRUE(routine.AllocTouchFree(0));
    EXPECT_TRUE(routine.AllocTouchFree(1));
  }
  int16_t sentinel = 0;
  int16_t* ints = &sentinel;
  EXPECT_FALSE(IntArAlloc(ints, -1));
  EXPECT_EQ(ints, nullptr);
  EXPECT_EQ(fake.console.Output, "");
}

TEST(ContainersArrays, FatalHaltPrintsItsTwoLinesAndExitsWithOne) {
  FakePlatform fake;
  EXPECT_EQ(fake.RunToExit([] { FatalHalt("not enough RAM available."); }), 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\nnot enough RAM available.\r\n");

  FakePlatform again;
  EXPECT_EQ(again.RunToExit([] { FatalHalt(""); }), 1);
  EXPECT_EQ(again.console.Output, "Halting with error-code 1, because:\r\n\r\n");
  EXPECT_EQ(again.process.ExitCalls, 1);
}

TEST(ContainersArrays, SortIntArOrdersSignedValuesFromIndexOne) {
  std::vector<int16_t> a = {99, 5, -3, 5, 0};  // index 0 is outside the array
  SortIntAr(a.data(), 4);
  EXPECT_EQ(a, (std::vector<int16_t>{99, -3, 0, 5, 5}));

  std::vector<int16_t> b = {7, 32767, -32768, 1, -1, 0, 12, -12, 300, -300, 2};
  SortIntAr(b.data(), 10);
  EXPECT_EQ(b, (std::vector<int16_t>{7, -32768, -300, -12, -1, 0, 1, 2, 12, 300, 32767}));

  std::vector<int16_t> c = {9, 3, 1};
  SortIntAr(c.data(), 0);
  SortIntAr(c.data(), 1);
  EXPECT_EQ(c, (std::vector<int16_t>{9, 3, 1}));
  SortIntAr(c.data(), -5);
  EXPECT_EQ(c, (std::vector<int16_t>{9, 3, 1}));
}

TEST(ContainersArrays, SortRealArOrdersValuesAndANanBlocksExchanges) {
  std::vector<double> a = {0.0, 2.5, 1.0, 2.5};
  SortRealAr(a.data(), 3);
  EXPECT_EQ(a, (std::vector<double>{0.0, 1.0, 2.5, 2.5}));

  std::vector<double> b = {0.0, 1e300, -1e-300, -1e300, 0.0, 3.25, -0.5, 7.0};
  SortRealAr(b.data(), 7);
  EXPECT_EQ(b, (std::vector<double>{0.0, -1e300, -0.5, -1e-300, 0.0, 3.25, 7.0, 1e300}));

  // Neither 3 > NaN nor NaN > 1 holds, so nothing moves.
  std::vector<double> c = {0.0, 3.0, std::nan(""), 1.0};
  SortRealAr(c.data(), 3);
  EXPECT_EQ(c[1], 3.0);
  EXPECT_TRUE(std::isnan(c[2]));
  EXPECT_EQ(c[3], 1.0);
}

}  // namespace
}  // namespace hopdir
