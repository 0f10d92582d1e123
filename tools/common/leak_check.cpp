#include "common/leak_check.h"

#include <malloc.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define ZORVAN_CHECKS_LEAKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORVAN_CHECKS_LEAKS 1
#endif
#endif

#ifdef ZORVAN_CHECKS_LEAKS
#include <sanitizer/lsan_interface.h>

// From the sanitizers' allocator interface, whose header GCC does not ship.
extern "C" size_t __sanitizer_get_current_allocated_bytes();

void CheckLeaksBeforeLibrariesUnload() {
    // Exit handlers run last-registered first. After this check, the one at the very end does
    // nothing.
    std::atexit([] { __lsan_do_leak_check(); });
}

size_t HeapBytesInUse() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
void CheckLeaksBeforeLibrariesUnload() {}

size_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
#endif
