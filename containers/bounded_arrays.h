// Bounded 1-based arrays: one allocation and one release routine per
// element type. A block for n elements holds n + 1 of them so that indices
// 1..n can be used directly (index 0 is never touched). The caller keeps the
// pointer and must release with the same n; the library keeps no record.
#ifndef HOPDIR_CONTAINERS_BOUNDED_ARRAYS_H_
#define HOPDIR_CONTAINERS_BOUNDED_ARRAYS_H_

#include <cstdint>

#include "platform/short_string.h"

namespace hopdir {

// The largest n any allocation routine accepts; a larger request halts
// through StructureTooBig with the routine's name.
inline constexpr int32_t MaxArElements = 322000;

// An 80-bit extended float kept as its 10 raw bytes.
struct Extended {
  uint8_t Bytes[10];
};
static_assert(sizeof(Extended) == 10);

// Each Alloc stores the block's address in `p` and returns true, or returns
// false (p null) when the heap cannot supply it; a negative n is treated as
// a block the heap cannot supply. Each Free releases and sets `p` to null.
bool PtrArAlloc(void**& p, int32_t n);
void PtrArFree(void**& p, int32_t n);
bool CharArAlloc(char*& p, int32_t n);
void CharArFree(char*& p, int32_t n);
bool ByteArAlloc(uint8_t*& p, int32_t n);
void ByteArFree(uint8_t*& p, int32_t n);
bool BoolArAlloc(bool*& p, int32_t n);
void BoolArFree(bool*& p, int32_t n);
bool Str10ArAlloc(Str10*& p, int32_t n);
void Str10ArFree(Str10*& p, int32_t n);
bool Str80ArAlloc(Str80*& p, int32_t n);
void Str80ArFree(Str80*& p, int32_t n);
bool Str255ArAlloc(Str255*& p, int32_t n);
void Str255ArFree(Str255*& p, int32_t n);
bool IntArAlloc(int16_t*& p, int32_t n);
void IntArFree(int16_t*& p, int32_t n);
bool WrdArAlloc(uint16_t*& p, int32_t n);
void WrdArFree(uint16_t*& p, int32_t n);
bool LongIntArAlloc(int32_t*& p, int32_t n);
void LongIntArFree(int32_t*& p, int32_t n);
bool SingleArAlloc(float*& p, int32_t n);
void SingleArFree(float*& p, int32_t n);
// Over the limit this one first prints "Requested <n> but limit is 322000".
bool RealArAlloc(double*& p, int32_t n);
void RealArFree(double*& p, int32_t n);
bool DoubleArAlloc(double*& p, int32_t n);
void DoubleArFree(double*& p, int32_t n);
bool ExtendedArAlloc(Extended*& p, int32_t n);
void ExtendedArFree(Extended*& p, int32_t n);

// Sort elements 1..n in place, ascending, with the list's Shell sort.
// A NaN never compares greater, so it causes no exchange.
void SortIntAr(int16_t* p, int16_t n);
void SortRealAr(double* p, int16_t n);

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_BOUNDED_ARRAYS_H_
