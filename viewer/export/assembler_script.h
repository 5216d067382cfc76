// The keystrokes that make flikkor assemble the exported frames: select the first
// file of its file list, extend the selection over the new GIF files, add them,
// select all frames, make "tempanim.gif" and close the program. They rely on the
// keyboard focus order of flikkor's main window.
#pragma once

#include <string>
#include <vector>

namespace sorvath {

// Each string is sent as one unit. frameCounter is the number of the last frame
// (100 when none was exported); the selection is extended frameCounter - 95 times,
// five more than the number of frames.
std::vector<std::string> assemblerKeyScript(int frameCounter);

}  // namespace sorvath
