// The program is built without exceptions: nothing in it throws or catches.
// The standard library's throw helpers would still link the exception
// classes, their narrow-string machinery and the unwinder (about 100 KB, a
// third of the program) just to report a failed allocation or a misuse of a
// container that never happens here. These replacements end the program at
// once, as an uncaught exception would.
#include <cstdlib>
#include <new>

namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_bad_function_call() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
} // namespace std

// The default terminate handler demangles the exception's type name for a
// console message, which links a whole demangler; there is no console.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

// Allocation that fails ends the program instead of throwing std::bad_alloc.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    std::abort();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// The library's own one (std::stable_sort asks for its scratch buffer with
// it) catches std::bad_alloc, which alone links the exception runtime and
// the unwinder.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
