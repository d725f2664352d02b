#pragma once

// The store of the program's small files: the disk, or memory in a headless run.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace koropika {

// Where the program keeps its small files (the name list and the window position file), each
// read and replaced whole. The program uses the disk; a headless run may keep its files in
// memory, so that what it measures is the game and not the disk.
class FileStore {
  public:
    virtual ~FileStore() = default;

    // The folder that holds the files of a program in `programFolder`.
    virtual std::string dataFolderFor(const std::string& programFolder) = 0;
    // True when `folder` holds a plain file spelled exactly `name`.
    virtual bool exists(const std::string& folder, std::string_view name) = 0;
    // The whole file, or nullopt when it cannot be read.
    virtual std::optional<std::string> read(const std::string& folder, std::string_view name) = 0;
    // Replaces the file whole, or creates it; returns "" or a one-line reason it could not.
    virtual std::string replace(const std::string& folder, std::string_view name,
                                std::string_view bytes) = 0;
};

// The disk: the data folder of data_folder.h, and crash-safe saves (text_file.h).
FileStore& diskFiles();

// Files kept in memory, by folder and name; the data folder is the program folder.
class MemoryFileStore final : public FileStore {
  public:
    std::string dataFolderFor(const std::string& programFolder) override { return programFolder; }
    bool exists(const std::string& folder, std::string_view name) override;
    std::optional<std::string> read(const std::string& folder, std::string_view name) override;
    std::string replace(const std::string& folder, std::string_view name,
                        std::string_view bytes) override;

    // How many times a file was replaced.
    long saves() const { return saves_; }

  private:
    static std::string keyOf(const std::string& folder, std::string_view name);

    std::map<std::string, std::string, std::less<>> files_;
    long saves_ = 0;
};

}  // namespace koropika
