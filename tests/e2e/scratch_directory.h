#pragma once

// A scratch copy of the runnable directory (shaders and models), for a test
// to break one resource in. Files are hard links to the originals where the
// file system allows it, so that copying the models costs nothing; a file
// the test breaks is therefore always replaced, never written through.

#include <string>

class ScratchDirectory {
public:
    // A fresh copy under the build tree's scratch folder; removed again
    // unless the test failed (so that the failing case can be looked at).
    explicit ScratchDirectory(const std::string& name);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

    bool exists(const std::string& relative) const;
    void remove(const std::string& relative);
    void replace(const std::string& relative, const std::string& bytes);
    std::string read(const std::string& relative) const;

private:
    std::string path_;
};
