#include "records/file_bytes.h"

std::string quotedPath(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

FileReadError::FileReadError(const std::filesystem::path&, Reason reason, const std::string& message)
    : std::runtime_error(message), reason_(reason)
{
}
