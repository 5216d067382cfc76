#include "assembler/window/file_name_order.h"

namespace flikkor {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The run of digits starting at `at`, without its leading zeros; `at` moves past it.
QStringView digitRun(QStringView name, qsizetype& at) {
    while (at < name.size() && name[at] == u'0' && at + 1 < name.size() && isDigit(name[at + 1])) ++at;
    const qsizetype start = at;
    while (at < name.size() && isDigit(name[at])) ++at;
    return name.mid(start, at - start);
}

// <0, 0 or >0 as the value of run a is below, equal to or above that of run b.
int compareValues(QStringView a, QStringView b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

bool fileNameLess(QStringView a, QStringView b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const int order = compareValues(digitRun(a, i), digitRun(b, j));
            if (order != 0) return order < 0;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return j < b.size();
    return a < b;
}

}  // namespace flikkor
