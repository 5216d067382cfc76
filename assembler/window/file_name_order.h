#pragma once
// The order of the file list: names with numbers in them by the numbers' values,
// as desktop file managers show them (temp-999.gif before temp-1000.gif).
#include <QStringView>

namespace flikkor {

// True when `a` comes before `b`. Runs of digits compare by their value (leading
// zeros aside), everything else character by character; names equal so far
// ("a01" and "a1") fall back to plain order, and names without digits keep it.
bool fileNameLess(QStringView a, QStringView b);

}  // namespace flikkor
