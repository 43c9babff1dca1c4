#pragma once
// The one error the reader raises internally: what was expected, and on which line of the file.
// The public entry points turn it into a message "file:line: ..." and a failed result.

#include <stdexcept>
#include <string>

namespace mayaascii {

class ReadError : public std::runtime_error {
public:
    ReadError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

} // namespace mayaascii
