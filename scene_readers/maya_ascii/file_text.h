#pragma once
// The whole text of a file, mapped into memory where the file system allows it and read otherwise (pipes,
// devices): a scene of tens of megabytes is then neither copied from the page cache nor zero-filled first.

#include <string>
#include <string_view>

namespace mayaascii {

class FileText {
public:
    FileText() = default;
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;
    ~FileText() { release(); }

    // Opens and maps (or reads) the file; false with a message naming the cause when it cannot be read.
    bool open(const std::string& path, std::string& error);

    // The text; valid until release().
    std::string_view text() const { return text_; }

    // Gives the memory back; text() is empty afterwards.
    void release();

private:
    std::string_view text_;
    void* mapping_ = nullptr;
    size_t mappedSize_ = 0;
    std::string read_;
};

} // namespace mayaascii
