// The C and C++ runtimes linked into the 32-bit program call three wide-character
// functions (libgcc's thread layer: CreateSemaphoreW; the MinGW C runtime:
// GetModuleHandleW, LoadLibraryW) that Windows 95 exports only as stubs that fail.
// These pointers take the place of their import entries, so the calls go to the
// ANSI functions every listed Windows has. The 64-bit program needs none of this.
#if defined(__i386__)

#include <windows.h>

#include <cstddef>

namespace {

// Names here are DLL names and object names: plain ASCII. No allocation: the
// exception-handling layer may be what calls.
struct Narrow {
  explicit Narrow(LPCWSTR text) {
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < sizeof buffer; ++i)
      buffer[i] = static_cast<char>(text[i] < 0x80 ? text[i] : '?');
    buffer[i] = 0;
  }
  char buffer[MAX_PATH];
};

HANDLE WINAPI CreateSemaphoreNarrow(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                    LPCWSTR name) {
  return CreateSemaphoreA(attributes, initial, maximum, name ? Narrow(name).buffer : nullptr);
}

HMODULE WINAPI GetModuleHandleNarrow(LPCWSTR name) {
  return GetModuleHandleA(name ? Narrow(name).buffer : nullptr);
}

HMODULE WINAPI LoadLibraryNarrow(LPCWSTR name) {
  return name ? LoadLibraryA(Narrow(name).buffer) : nullptr;
}

}  // namespace

// The import-table slots' names; CMakeLists.txt asks the linker for them first.
extern "C" {
void* qorCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") =
    reinterpret_cast<void*>(&CreateSemaphoreNarrow);
void* qorGetModuleHandleW __asm__("__imp__GetModuleHandleW@4") =
    reinterpret_cast<void*>(&GetModuleHandleNarrow);
void* qorLoadLibraryW __asm__("__imp__LoadLibraryW@4") =
    reinterpret_cast<void*>(&LoadLibraryNarrow);
}

#endif
