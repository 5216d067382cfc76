// The writers' byte sink on the toolkit's safe file output, and its failures in
// the user's words.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/safe_output.h"
#include "gifengine/file_output.h"
#include "gifengine/messages.h"
#include "gifengine/system_reason.h"

namespace gifengine {

namespace {

class StagedSink final : public ByteSink {
public:
    explicit StagedSink(toolkit::StagedFile& file) : file_(file) {}
    using ByteSink::Put;
    void Put(const uint8_t* data, std::size_t size) override { file_.write(data, size); }

private:
    toolkit::StagedFile& file_;
};

toolkit::Durability DurabilityOf(OutputKind kind) {
    return kind == OutputKind::UserFile ? toolkit::Durability::Synced : toolkit::Durability::Cached;
}

std::string ReasonOf(const toolkit::FileFailure& failure) { return SystemReasonText(failure.error, failure.reason); }

// Why a file could not be staged. The toolkit refuses folders, read-only files
// and devices that do not open by their own reasons; any other refusal comes
// from the folder, which took no temporary file (nothing is written in place).
WriteFailure OpenFailure(const std::string& path, const toolkit::FileFailure& failure) {
    WriteFailure result{WriteFailure::Stage::Open, path, ReasonOf(failure)};
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) return result;
    if (exists && S_ISREG(target.st_mode) && (::access(path.c_str(), W_OK) != 0 || (target.st_mode & 0222) == 0)) {
        result.reason = std::string(text::kReadOnlyFile);
        return result;
    }
    if (exists && !S_ISREG(target.st_mode)) return result;
    result.reason =
        std::string(text::kNoTemporaryFilePrefix) + result.reason + std::string(text::kNoTemporaryFileSuffix);
    return result;
}

WriteFailure WritingFailure(const toolkit::FileFailure& failure) {
    return WriteFailure{WriteFailure::Stage::Write, failure.path, ReasonOf(failure)};
}

// Starts the file. A work file's name never leads elsewhere: a symbolic link
// there (the work folder is the user's own) is removed, so the finished file
// takes its place instead of replacing what it names.
std::optional<WriteFailure> Stage(const std::string& path, OutputKind kind,
                                  std::unique_ptr<toolkit::StagedFile>& staged) {
    struct stat entry {};
    if (kind == OutputKind::WorkFile && ::lstat(path.c_str(), &entry) == 0 && S_ISLNK(entry.st_mode) &&
        ::unlink(path.c_str()) != 0) {
        const int error = errno;
        return WriteFailure{WriteFailure::Stage::Open, path, SystemReasonText(error, std::strerror(error))};
    }
    if (auto failure = toolkit::stageFile(path, DurabilityOf(kind), staged)) return OpenFailure(path, *failure);
    return std::nullopt;
}

// Stages path, writes it whole and closes it (not yet renamed).
std::optional<WriteFailure> StageAndWrite(const std::string& path, OutputKind kind,
                                          const std::function<void(ByteSink&)>& produce,
                                          std::unique_ptr<toolkit::StagedFile>& staged) {
    if (auto failure = Stage(path, kind, staged)) return failure;
    StagedSink sink(*staged);
    produce(sink);
    if (auto failure = staged->finish()) return WritingFailure(*failure);
    return std::nullopt;
}

}  // namespace

std::string WriteFailure::message() const {
    const std::string_view what = stage == Stage::Open ? text::kCannotOpenSuffix : text::kWriteErrorSuffix;
    return std::string(text::kFilePrefix) + path + std::string(what) + "\n" + reason;
}

std::optional<WriteFailure> WriteFileSafely(const std::string& path, OutputKind kind,
                                            const std::function<void(ByteSink&)>& produce) {
    std::unique_ptr<toolkit::StagedFile> staged;
    if (auto failure = StageAndWrite(path, kind, produce, staged)) return failure;
    if (auto failure = staged->commit()) return WritingFailure(*failure);
    return std::nullopt;
}

FileSetOutput::FileSetOutput(OutputKind kind) : kind_(kind) {}

FileSetOutput::~FileSetOutput() = default;

bool FileSetOutput::add(const std::string& path, const std::function<void(ByteSink&)>& produce) {
    if (failure_) return false;
    std::unique_ptr<toolkit::StagedFile> staged;
    failure_ = StageAndWrite(path, kind_, produce, staged);
    // Closed already: a set of many files holds no descriptor per file.
    if (staged) files_.push_back(std::move(staged));
    return !failure_;
}

std::optional<WriteFailure> FileSetOutput::commit() {
    if (failure_) {
        files_.clear();
        return failure_;
    }
    for (const auto& file : files_)
        if (auto failure = file->commit()) {
            failure_ = WritingFailure(*failure);
            break;
        }
    files_.clear();
    return failure_;
}

}  // namespace gifengine
