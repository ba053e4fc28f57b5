#pragma once

#include "framework/file_store.h"

// Writes files through QSaveFile: the old file stays as it was until the new one is complete.
class QtFileStore : public FileStore {
public:
    bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) override;
};
