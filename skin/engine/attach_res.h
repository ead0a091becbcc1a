// The skin library's one export, as the program calls it.
//
// x86-64 Linux has a single calling convention for C functions (the System V
// one); there is no second, "standard" convention in which the callee
// removes the arguments, so the export is a plain extern "C" function and
// callers and library agree on it by construction.
#ifndef SKIN_ENGINE_ATTACH_RES_H_
#define SKIN_ENGINE_ATTACH_RES_H_

#define SKIN_LIBRARY_EXPORT __attribute__((visibility("default")))

extern "C" {

// Restyles every window of the calling program with the skin block `skin`
// of `size` bytes (see skin/format/skin_block.h). Must be called on the
// thread of the program's QApplication. Our blocks are never encrypted: the
// password must be null or empty. The last three arguments are reserved and
// ignored. Returns 0 when the skin is attached; otherwise one of the
// AttachResult codes, and the program keeps the look it had.
using SkinAttachResFunction = int(const unsigned char* skin, int size,
                                  const char* password, int reserved1,
                                  int reserved2, int reserved3);

SKIN_LIBRARY_EXPORT int SkinH_AttachRes(const unsigned char* skin, int size,
                                        const char* password, int reserved1,
                                        int reserved2, int reserved3);

}  // extern "C"

namespace skin {

// Results of SkinH_AttachRes. 1 to 8 are the block's faults and equal the
// values of skin::SkinError.
enum AttachResult : int {
  kAttached = 0,
  kLengthWithoutAddress = 9,
  kNegativeLength = 10,
  kPasswordNotSupported = 11,
  kNoApplication = 12,
  kNotApplicationThread = 13,
};

}  // namespace skin

#endif  // SKIN_ENGINE_ATTACH_RES_H_
