// "sorvath --gif": the window's GIF export without a window. The run is opened as
// "Open Output.dat" opens it (the wall file used when it is there), the view set as
// the request says, and the export replayed through the same AnimationExport into an
// offscreen picture, writing the same frame files into the same folder; flikkor, next
// to this program, then assembles them by its command line. Nothing of the window
// system is started.
#pragma once

#include "viewer/window/batch_arguments.h"

#include <ostream>

namespace sorvath {

// Runs the export; the animation's path on `out`, messages as "sorvath: TEXT" on
// `err`, with "frame k of N" while the frames are written when `progress` is set.
// 0 when the animation is made, 1 when it is not.
int runBatchExport(const BatchExportRequest& request, std::ostream& out, std::ostream& err, bool progress);

}  // namespace sorvath
