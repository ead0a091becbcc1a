#include "platform/dynlib/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace platform {
namespace {

void TakeLoaderError(std::string* error, const char* fallback) {
  // dlerror() both reports and clears: read it exactly once.
  const char* reason = dlerror();
  if (error != nullptr) *error = reason != nullptr ? reason : fallback;
}

}  // namespace

std::optional<DynamicLibrary> DynamicLibrary::Open(
    const std::string& name_or_path, Lifetime lifetime, std::string* error) {
  if (name_or_path.empty()) {
    // dlopen(nullptr) would hand back the program itself.
    if (error != nullptr) *error = "no library name given";
    return std::nullopt;
  }
  int flags = RTLD_NOW | RTLD_LOCAL;
  if (lifetime == Lifetime::kKeepLoaded) flags |= RTLD_NODELETE;
  dlerror();
  void* handle = dlopen(name_or_path.c_str(), flags);
  if (handle == nullptr) {
    TakeLoaderError(error, "the library could not be loaded");
    return std::nullopt;
  }
  return DynamicLibrary(handle);
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

DynamicLibrary::~DynamicLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void* DynamicLibrary::FindSymbol(const char* name, std::string* error) const {
  if (handle_ == nullptr || name == nullptr) {
    if (error != nullptr) *error = "no library or no symbol name";
    return nullptr;
  }
  dlerror();
  void* address = dlsym(handle_, name);
  if (address == nullptr) {
    // A symbol may legitimately sit at address 0 (an absolute or weak
    // undefined one); nothing can be called through it, so it counts as
    // absent.
    TakeLoaderError(error, "the symbol has no address");
  }
  return address;
}

}  // namespace platform
