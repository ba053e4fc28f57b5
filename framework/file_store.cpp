#include "framework/file_store.h"

#include "framework/file_replacement.h"

bool LocalFileStore::WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error)
{
    FileReplacement replacement;
    return replacement.Begin(path, error) && replacement.Write(bytes, error) && replacement.Commit(error);
}
