// The C library's allocator keeps memory a program has freed, for its next requests. The start-up
// frees a good deal of it on its second thread (the font configuration's parse, the pictures'
// decoding buffers), in pieces between what stays, and that thread asks for nothing more: without
// being told, the allocator holds half a megabyte of it for as long as the program runs.
#include "platform/linux/linux_platform.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zarvo {

void LinuxPlatform::ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

} // namespace zarvo
