#pragma once

#include <string>

namespace koropika::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const;
    // The file's bytes, or "<missing>" when there is none.
    std::string read(const std::string& name) const;

  private:
    std::string path_;
};

}  // namespace koropika::testing
