#pragma once
// The three images of a planning grid cell: empty, active level 1 and active level 0
// (bitmaps 224-226), drawn once.

#include <QIcon>

namespace zavo::planning {

// The image of a cell in `state` (0 empty, 1 level 1, 2 level 0).
const QIcon& cellImage(int state);
// The bitmap id the state shows (224, 225, 226), for whoever asks which one is up.
int cellImageId(int state);

}  // namespace zavo::planning
