#pragma once
// The program's icon (resource 128), drawn rather than shipped as artwork: a drive face with
// a motion trace, readable from 16 to 64 pixels.

#include <QIcon>

namespace zavo {

QIcon appIcon();

}  // namespace zavo
