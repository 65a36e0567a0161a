#pragma once
// The tool bar's pictures for the commands the platform has no standard icon for, drawn
// rather than shipped as artwork: a printer for Print, a plug for Connect, a list for Edit
// Parameter and a waveform for Wave Trace.

#include <QIcon>

namespace zavo {

enum class ToolBarPicture { Print, Connect, EditParameter, WaveTrace };

QIcon toolBarIcon(ToolBarPicture picture);

}  // namespace zavo
