#include "containers/bounded_arrays.h"

#include <charconv>
#include <new>
#include <utility>

#include "containers/fatal_halt.h"
#include "containers/shell_sort.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

// The whole family: the named routines differ only in element type and name.
template <typename T>
bool ArAlloc(T*& p, int32_t n, const char* name) {
  if (n > MaxArElements) {
    StructureTooBig(name);
  }
  p = n < 0 ? nullptr : new (std::nothrow) T[static_cast<size_t>(n) + 1];
  return p != nullptr;
}

template <typename T>
void ArFree(T*& p, int32_t /*n*/) {
  delete[] p;
  p = nullptr;
}

template <typename T>
void SortAr(T* p, int16_t n) {
  ShellSort(
      n, [p](int j, int k) { return p[j] > p[k]; }, [p](int j, int k) { std::swap(p[j], p[k]); });
}

Str255 Decimal(int32_t value) {
  char digits[16];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return Str255(digits, static_cast<int>(end - digits));
}

}  // namespace

bool PtrArAlloc(void**& p, int32_t n) { return ArAlloc(p, n, "PtrArAlloc"); }
void PtrArFree(void**& p, int32_t n) { ArFree(p, n); }
bool CharArAlloc(char*& p, int32_t n) { return ArAlloc(p, n, "CharArAlloc"); }
void CharArFree(char*& p, int32_t n) { ArFree(p, n); }
bool ByteArAlloc(uint8_t*& p, int32_t n) { return ArAlloc(p, n, "ByteArAlloc"); }
void ByteArFree(uint8_t*& p, int32_t n) { ArFree(p, n); }
bool BoolArAlloc(bool*& p, int32_t n) { return ArAlloc(p, n, "BoolArAlloc"); }
void BoolArFree(bool*& p, int32_t n) { ArFree(p, n); }
bool Str10ArAlloc(Str10*& p, int32_t n) { return ArAlloc(p, n, "Str10ArAlloc"); }
void Str10ArFree(Str10*& p, int32_t n) { ArFree(p, n); }
bool Str80ArAlloc(Str80*& p, int32_t n) { return ArAlloc(p, n, "Str80ArAlloc"); }
void Str80ArFree(Str80*& p, int32_t n) { ArFree(p, n); }
bool Str255ArAlloc(Str255*& p, int32_t n) { return ArAlloc(p, n, "Str255ArAlloc"); }
void Str255ArFree(Str255*& p, int32_t n) { ArFree(p, n); }
bool IntArAlloc(int16_t*& p, int32_t n) { return ArAlloc(p, n, "IntArAlloc"); }
void IntArFree(int16_t*& p, int32_t n) { ArFree(p, n); }
bool WrdArAlloc(uint16_t*& p, int32_t n) { return ArAlloc(p, n, "WrdArAlloc"); }
void WrdArFree(uint16_t*& p, int32_t n) { ArFree(p, n); }
bool LongIntArAlloc(int32_t*& p, int32_t n) { return ArAlloc(p, n, "LongIntArAlloc"); }
void LongIntArFree(int32_t*& p, int32_t n) { ArFree(p, n); }
bool SingleArAlloc(float*& p, int32_t n) { return ArAlloc(p, n, "SingleArAlloc"); }
void SingleArFree(float*& p, int32_t n) { ArFree(p, n); }
bool DoubleArAlloc(double*& p, int32_t n) { return ArAlloc(p, n, "DoubleArAlloc"); }
void DoubleArFree(double*& p, int32_t n) { ArFree(p, n); }
bool ExtendedArAlloc(Extended*& p, int32_t n) { return ArAlloc(p, n, "ExtendedArAlloc"); }
void ExtendedArFree(Extended*& p, int32_t n) { ArFree(p, n); }

bool RealArAlloc(double*& p, int32_t n) {
  if (n > MaxArElements) {
    Str255 request("Requested ");
    request.Append(Decimal(n));
    request.Append(" but limit is ");
    request.Append(Decimal(MaxArElements));
    Os().console.WriteLine(request.View());
  }
  return ArAlloc(p, n, "RealArAlloc");
}
void RealArFree(double*& p, int32_t n) { ArFree(p, n); }

void SortIntAr(int16_t* p, int16_t n) { SortAr(p, n); }
void SortRealAr(double* p, int16_t n) { SortAr(p, n); }

}  // namespace hopdir
