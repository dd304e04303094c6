#pragma once
// What the window keeps between runs in the desktop's ordinary settings location
// ($XDG_CONFIG_HOME, usually ~/.config, then the application's name): the
// drawing and snapshot settings, the count classes and the window's geometry and the place of
// its frame. The file is found afresh on each use, so a changed home takes effect at once.

#include <QSettings>

namespace lumetra {

namespace kept {
inline constexpr char kLineWidth[] = "drawing/lineWidth";
inline constexpr char kFontSize[] = "drawing/fontSize";
inline constexpr char kDecimals[] = "drawing/decimals";
inline constexpr char kLineColour[] = "drawing/lineColour";
inline constexpr char kLabelColour[] = "drawing/labelColour";
inline constexpr char kCountClass[] = "count/class";
inline constexpr char kCountClassNames[] = "count/classNames";
inline constexpr char kCleanCopy[] = "snapshot/cleanCopy";
inline constexpr char kAnalysisCopy[] = "snapshot/analysisCopy";
inline constexpr char kWindowGeometry[] = "window/geometry";
inline constexpr char kWindowFramePosition[] = "window/framePosition";
}  // namespace kept

QSettings keptSettings();

}  // namespace lumetra
