#pragma once

#include "app/ports.h"

// Files on a POSIX file system. Paths arrive as GBK text and are turned into UTF-8 for the system.
class PosixFiles : public Files {
public:
    // The folder of the running executable, as GBK text; "." when it cannot be found.
    std::string programFolder() override;
    bool exists(const std::string& path) override;
    bool createEmpty(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    // Writes a temporary file beside the target, syncs it and renames it over the target, keeping the
    // target's permissions. On any failure the temporary file is removed and the old file stays as it was.
    bool replaceAll(const std::string& path, const std::string& contents) override;
};
