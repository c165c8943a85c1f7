// The exe is built without exceptions, so allocation never throws: running out
// of memory ends the process, with the exit code 0 that callers always get.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {
void* Allocate(std::size_t size) {
  void* memory = std::malloc(size ? size : 1);
  if (!memory) ::ExitProcess(0);
  return memory;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
