#include "gifengine/system_reason.h"

#include <cerrno>

namespace gifengine {

namespace {

struct ReasonWords {
    int error;
    std::string_view words;
};

constexpr ReasonWords kReasons[] = {
    {0, "通常のファイルではありません"},
    {ENOSPC, "ディスクの空き容量が不足しています"},
    {EDQUOT, "ディスクの使用量の上限を超えました"},
    {EFBIG, "ファイルサイズの上限を超えました"},
    {EACCES, "アクセスが許可されていません"},
    {EPERM, "アクセスが許可されていません"},
    {EROFS, "読み取り専用のドライブです"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {ENOENT, "フォルダが存在しません"},
    {ENOTDIR, "パスの途中にフォルダでないものがあります"},
    {EISDIR, "同じ名前のフォルダがあります"},
    {EIO, "入出力エラーが発生しました"},
    {EMFILE, "同時に開けるファイルの数を超えました"},
    {ENFILE, "同時に開けるファイルの数を超えました"},
    {ENXIO, "書込先が応答しません"},
};

}  // namespace

std::string SystemReasonText(int error, std::string_view systemText) {
    for (const ReasonWords& reason : kReasons)
        if (reason.error == error) return std::string(reason.words);
    return std::string(systemText);
}

}  // namespace gifengine
