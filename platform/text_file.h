#pragma once
// Text files in code page 932 (Shift-JIS as Windows writes it), UTF-8 in
// memory. Reads are all-or-nothing; writes replace the file atomically.

#include <stdexcept>
#include <string>
#include <string_view>

namespace fenmark::platform {

// A file could not be read, or its bytes are not valid code page 932.
class ReadError : public std::runtime_error {
  public:
    explicit ReadError(const std::string& what) : std::runtime_error(what) {}
};

// A file could not be written, or its text cannot be held by code page 932.
class WriteError : public std::runtime_error {
  public:
    explicit WriteError(const std::string& what) : std::runtime_error(what) {}
};

// UTF-8 to code page 932; throws WriteError for a character it cannot hold.
[[nodiscard]] std::string utf8ToCp932(std::string_view utf8);
// Code page 932 to UTF-8; throws ReadError for bytes that are not valid.
[[nodiscard]] std::string cp932ToUtf8(std::string_view bytes);
// True when every character of the UTF-8 text has a code page 932 form.
[[nodiscard]] bool isCp932Encodable(std::string_view utf8);

// The whole file's bytes; throws ReadError.
[[nodiscard]] std::string readFileBytes(const std::string& path);
// The whole file decoded from code page 932; throws ReadError.
[[nodiscard]] std::string readCp932File(const std::string& path);

// Replaces `path` with `bytes`: a temporary file in the same folder is
// written, flushed and synced, then renamed over the old file, and the
// folder is synced. On any failure the old file is untouched, the
// temporary file is removed and WriteError is thrown. A write that succeeds
// also removes the temporary files that interrupted writes of the same file
// left ("<name>.tmpXXXXXX").
void writeFileAtomic(const std::string& path, std::string_view bytes);
// The same with the UTF-8 text encoded as code page 932 first.
void writeCp932FileAtomic(const std::string& path, std::string_view utf8);

// The points a write passes, in order. A write announces each to the hook
// below, so that tests can stop a writer at a chosen point and prove that
// the file is whole whatever the point.
enum class WriteStep {
    BeforeTemporary,   // nothing exists yet
    TemporaryCreated,  // the temporary file exists, empty
    Written,           // a piece of the bytes is in the temporary file (once a piece)
    Synced,            // all bytes are written and synced
    Closed,            // the temporary file is closed
    Renamed,           // the temporary file has replaced the file
    FolderSyncing,     // leftovers removed; the folder is about to be synced
    FolderSynced,      // the write is complete
};
// `written` is the number of bytes in the temporary file at that point.
using WriteStepHook = void (*)(WriteStep step, std::size_t written);
// Installs `hook` for every later write of this process (nullptr removes it).
// Only tests install one.
void setWriteStepHook(WriteStepHook hook);
// The largest piece a write hands to the system at once.
inline constexpr std::size_t kWritePiece = 64 * 1024;

[[nodiscard]] bool fileExists(const std::string& path);
// True when files can be created in the folder.
[[nodiscard]] bool folderWritable(const std::string& folder);

}  // namespace fenmark::platform
