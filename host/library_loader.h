// Loads the deliverables at run time, as the CAM host does: dlopen from the
// program's own folder (or $KVD_LIB_DIR), exports looked up by name.
#pragma once
#include <string>

#include "host/errors.h"

namespace kvdhost {

// The folder the libraries are loaded from.
std::string LibraryFolder();

class Library {
public:
    // Loads lib<name>.so from LibraryFolder(); throws HostError naming the file.
    explicit Library(const std::string& name);
    ~Library();  // leaves the library loaded (see library_loader.cpp)
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const std::string& path() const { return path_; }
    // Looks an export up; throws HostError naming the file and the export.
    void* Symbol(const char* exportName) const;
    template <typename F>
    F Get(const char* exportName) const {
        return reinterpret_cast<F>(Symbol(exportName));
    }

private:
    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace kvdhost
