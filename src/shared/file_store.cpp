#include "shared/file_store.h"

#include "shared/data_folder.h"
#include "shared/text_file.h"

namespace koropika {

namespace {

class DiskFileStore final : public FileStore {
  public:
    std::string dataFolderFor(const std::string& programFolder) override {
        return koropika::dataFolderFor(programFolder);
    }
    bool exists(const std::string& folder, std::string_view name) override {
        return plainFileExists(folder, name);
    }
    std::optional<std::string> read(const std::string& folder, std::string_view name) override {
        return readWholeFile(fileInFolder(folder, name));
    }
    std::string replace(const std::string& folder, std::string_view name,
                        std::string_view bytes) override {
        return writeFileReplacing(fileInFolder(folder, name), bytes);
    }
};

}  // namespace

FileStore& diskFiles() {
    static DiskFileStore disk;
    return disk;
}

std::string MemoryFileStore::keyOf(const std::string& folder, std::string_view name) {
    std::string key = folder;
    key += '/';
    key += name;
    return key;
}

bool MemoryFileStore::exists(const std::string& folder, std::string_view name) {
    return files_.find(keyOf(folder, name)) != files_.end();
}

std::optional<std::string> MemoryFileStore::read(const std::string& folder, std::string_view name) {
    const auto it = files_.find(keyOf(folder, name));
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::string MemoryFileStore::replace(const std::string& folder, std::string_view name,
                                     std::string_view bytes) {
    ++saves_;
    files_[keyOf(folder, name)].assign(bytes);
    return "";
}

}  // namespace koropika
