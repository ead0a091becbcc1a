#include "checker_ui/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace checker_ui {

void InstallFontSubstitutes() {
  // The Song face of Debian's fonts-arphic-uming first; its simplified
  // Chinese cut, then the others, then a sans face that also has the glyphs.
  QFont::insertSubstitutions(QStringLiteral(u"宋体"),
                             QStringList{QStringLiteral("AR PL UMing CN"),
                                         QStringLiteral("AR PL UMing TW"),
                                         QStringLiteral("AR PL SungtiL GB"),
                                         QStringLiteral("WenQuanYi Zen Hei")});
}

}  // namespace checker_ui
