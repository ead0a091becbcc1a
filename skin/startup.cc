#include "skin/startup.h"

#include <span>
#include <system_error>

#include "platform/dynlib/dynamic_library.h"
#include "platform/shell/shell_open.h"
#include "skin/engine/attach_res.h"
#include "skin/library_file.h"
#include "skin/library_image.h"
#include "skin/skin_set.h"

namespace skin {
namespace {

namespace fs = std::filesystem;

// Reserved for documentation (RFC 2606): it belongs to nobody.
constexpr const char* kWebsite = "https://mirvo.example.com/";

std::string LoadFailure(const std::string& library, const std::string& reason) {
  return "无法加载皮肤库 " + library + "，因此无法调用其函数 " +
         kAttachFunctionName + "。\n" + reason;
}

std::string MissingFunction(const std::string& library,
                            const std::string& reason) {
  return std::string("皮肤库 ") + library + " 中没有函数 " +
         kAttachFunctionName + "。\n" + reason;
}

}  // namespace

void EnsureSkinLibrary(const fs::path& program_dir) {
  // The outcome is not looked at: a folder we cannot write to may still
  // hold the library, or the system may have it; loading tells.
  WriteFileIfAbsent(program_dir / kSkinLibraryName, SkinLibraryImage());
  // Here the file would be given the hidden attribute. Linux files have no
  // such attribute, and hiding it by a leading dot would change the name it
  // is loaded by, so it stays a plain file.
}

std::optional<std::string> AttachSkin(int skin_number,
                                      const fs::path& program_dir) {
  EnsureSkinLibrary(program_dir);
  const std::span<const unsigned char> block = SkinBlock(skin_number);

  // The program's folder first; without a library file there, the bare name
  // goes through the system's standard search order.
  std::error_code error;
  const fs::path beside = fs::absolute(program_dir / kSkinLibraryName, error);
  const std::string library = !error && fs::is_regular_file(beside, error)
                                  ? beside.string()
                                  : std::string(kSkinLibraryName);

  std::string reason;
  // Kept loaded for the life of the process: the skin it attached stays, and
  // with it code of the library that Qt may still call.
  auto loaded = platform::DynamicLibrary::Open(
      library, platform::DynamicLibrary::Lifetime::kKeepLoaded, &reason);
  if (!loaded) return LoadFailure(library, reason);
  auto* attach =
      loaded->FindFunction<SkinAttachResFunction>(kAttachFunctionName, &reason);
  if (attach == nullptr) return MissingFunction(library, reason);

  // A skin the library refuses leaves the plain look; that is all the
  // result would tell, so it is not looked at.
  attach(block.empty() ? nullptr : block.data(), static_cast<int>(block.size()),
         "", 0, 0, 0);
  return std::nullopt;
}

void OpenWebsite() { platform::ShellOpen(kWebsite); }

}  // namespace skin
