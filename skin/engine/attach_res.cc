#include "skin/engine/attach_res.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThread>
#include <cstddef>
#include <span>

#include "skin/engine/qt_skin.h"
#include "skin/format/skin_block.h"

extern "C" int SkinH_AttachRes(const unsigned char* skin, int size,
                               const char* password, int /*reserved1*/,
                               int /*reserved2*/, int /*reserved3*/) {
  if (size < 0) return skin::kNegativeLength;
  if (size > 0 && skin == nullptr) return skin::kLengthWithoutAddress;
  if (password != nullptr && password[0] != '\0') {
    return skin::kPasswordNotSupported;
  }
  // Everything is checked before anything is touched: a refused skin leaves
  // the program's look exactly as it was.
  skin::Skin parsed;
  const skin::SkinError error = skin::ParseSkin(
      std::span<const unsigned char>(skin, static_cast<std::size_t>(size)),
      &parsed);
  if (error != skin::SkinError::kNone) return static_cast<int>(error);

  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) return skin::kNoApplication;
  if (QThread::currentThread() != app->thread()) {
    return skin::kNotApplicationThread;
  }
  skin::ApplySkin(parsed, *app);
  return skin::kAttached;
}
