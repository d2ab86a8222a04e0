// Code page 437 as a DOS screen shows it: frames, blocks and arrows are
// bytes of this code page in every backend, whatever the terminal speaks.
#ifndef HOPDIR_PLATFORM_CODE_PAGE_437_H_
#define HOPDIR_PLATFORM_CODE_PAGE_437_H_

namespace hopdir {

// The character a code page 437 byte shows, control bytes included (0x18 is
// an up arrow, not a control); byte 0 shows blank. Every one is in the
// Basic Multilingual Plane.
char16_t GlyphOf437(unsigned char byte);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_CODE_PAGE_437_H_
