#include "assets/skin.h"

#include <QFile>

namespace zarvo::skin {

bool Available() { return QFile::exists(Path(kBackground)); }

} // namespace zarvo::skin
