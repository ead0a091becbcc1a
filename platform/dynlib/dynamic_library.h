// Our stand-in for loading a library by name and finding its functions:
// one loaded library per object, released when the object goes.
#ifndef PLATFORM_DYNLIB_DYNAMIC_LIBRARY_H_
#define PLATFORM_DYNLIB_DYNAMIC_LIBRARY_H_

#include <optional>
#include <string>
#include <type_traits>

namespace platform {

class DynamicLibrary {
 public:
  enum class Lifetime {
    // Unmapped once the last handle to it is closed.
    kUnloadOnClose,
    // Stays mapped until the process ends, even after this object goes:
    // for libraries that leave code or objects behind in the process.
    kKeepLoaded,
  };

  // `name_or_path` with a '/' is opened at exactly that path; a bare name is
  // looked for in the system's standard search order. All of the library's
  // references are resolved at once, so a library that cannot run fails
  // here. On failure returns std::nullopt and, when `error` is given, the
  // loader's reason.
  static std::optional<DynamicLibrary> Open(const std::string& name_or_path,
                                            Lifetime lifetime,
                                            std::string* error = nullptr);

  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  ~DynamicLibrary();

  // The address of the exported symbol `name`; nullptr (with the loader's
  // reason in `error`) when the library does not export it.
  void* FindSymbol(const char* name, std::string* error = nullptr) const;

  // FindSymbol for a function of type `Function`.
  template <typename Function>
  Function* FindFunction(const char* name, std::string* error = nullptr) const {
    static_assert(std::is_function_v<Function>);
    return reinterpret_cast<Function*>(FindSymbol(name, error));
  }

 private:
  explicit DynamicLibrary(void* handle) : handle_(handle) {}

  void* handle_ = nullptr;
};

}  // namespace platform

#endif  // PLATFORM_DYNLIB_DYNAMIC_LIBRARY_H_
