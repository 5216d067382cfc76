#pragma once
// Where Flikkor finds the files installed with it: beside the program in a build
// or a copied folder, or under share/help/ when installed with the rest of the toolkit.
#include <QString>

namespace flikkor {

// The help page "flikkor.htm": in the start folder when it is there, otherwise
// beside the program, otherwise in the installed help folder (share/help/ja/flikkor
// next to bin/). When none exists the start folder's path is returned as it is,
// without a check, as the help command always did.
QString helpPagePath(const QString& startFolder, const QString& programFolder);

}  // namespace flikkor
