#pragma once

#include <QStringList>

#include "load/frame.h"

namespace tovik::cli {

struct Arguments;

// The options of convert that frame and tone the photograph.
QStringList framingValueOptions();
QStringList framingFlags();

// The frame and size of --frame and --size; the tone stays neutral. Throws UsageError
// for a frame that is not fit, fill or X,Y,W,H, a size that is not WxH or that the tool
// bar's rules refuse, or fill without a size.
Framing framingOf(const Arguments& args);

// The tone options given replace what they name in `tone` (a preset's); --auto-tone sets
// autoTone. Throws UsageError for a value outside its range, or --auto-tone together with
// --brightness or --contrast, which it sets itself.
void applyToneOptions(const Arguments& args, ToneSettings& tone, bool& autoTone);

}  // namespace tovik::cli
