// MStatus and the string classes.
#include "scene_model.h"

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

MStatus::MStatus() : code_(kSuccess) {}
MStatus::MStatus(MStatusCode code) : code_(static_cast<unsigned char>(code)) {}
MStatus::MStatus(const MStatus& other) : code_(other.code_) {}
MStatus& MStatus::operator=(const MStatus& other) {
  code_ = other.code_;
  return *this;
}
void MStatus::clear() { code_ = kSuccess; }

MString MStatus::errorString() const {
  static const char* const texts[] = {"(kSuccess): No error",
                                      "(kFailure): Unexpected Internal Failure",
                                      "(kInsufficientMemory): Insufficient Memory",
                                      "(kInvalidParameter): Invalid Parameter",
                                      "(kLicenseFailure): License Failure",
                                      "(kUnknownParameter): Unknown Parameter",
                                      "(kNotImplemented): Not Implemented",
                                      "(kNotFound): Not Found",
                                      "(kEndOfFile): End of File"};
  return MString(code_ < sizeof(texts) / sizeof(texts[0]) ? texts[code_] : "(unknown status)");
}

void MStatus::perror(const char* prefix) const {
  std::fprintf(stderr, "%s: %s\n", prefix != nullptr ? prefix : "", errorString().asChar());
}

void MStatus::perror(const MString& prefix) const { perror(prefix.asChar()); }

namespace {

char* copyText(const char* text, unsigned length) {
  char* copy = new char[length + 1];
  if (length > 0) std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

std::string numberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

// The number at the start of the text after blanks, and whether the whole text was that number.
bool parseInteger(const char* text, long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text, &end, 10);
  if (end == text) {
    value = 0;
    return false;
  }
  while (*end != '\0' && std::isspace(static_cast<unsigned char>(*end))) ++end;
  return *end == '\0' && errno == 0;
}

bool parseReal(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  if (end == text) {
    value = 0.0;
    return false;
  }
  while (*end != '\0' && std::isspace(static_cast<unsigned char>(*end))) ++end;
  return *end == '\0';
}

}  // namespace

MString::MString() : text_(copyText("", 0)), length_(0) {}
MString::MString(const char* text)
    : text_(copyText(text != nullptr ? text : "", text != nullptr ? static_cast<unsigned>(std::strlen(text)) : 0)),
      length_(text != nullptr ? static_cast<unsigned>(std::strlen(text)) : 0) {}
MString::MString(const char* text, int length)
    : text_(copyText(text != nullptr ? text : "", text != nullptr && length > 0 ? static_cast<unsigned>(length) : 0)),
      length_(text != nullptr && length > 0 ? static_cast<unsigned>(length) : 0) {}
MString::MString(const MString& other) : text_(copyText(other.text_, other.length_)), length_(other.length_) {}
MString::~MString() { delete[] text_; }

MStatus MString::set(const char* text) {
  return set(text, text != nullptr ? static_cast<int>(std::strlen(text)) : 0);
}

MStatus MString::set(const char* text, int length) {
  unsigned n = text != nullptr && length > 0 ? static_cast<unsigned>(length) : 0;
  char* copy = copyText(text != nullptr ? text : "", n);
  delete[] text_;
  text_ = copy;
  length_ = n;
  return MStatus::kSuccess;
}

MStatus MString::set(double value) { return set(numberText(value).c_str()); }

MStatus MString::set(double value, int precision) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.*f", precision < 0 ? 0 : precision, value);
  return set(buffer);
}

MString& MString::operator=(const MString& other) {
  if (this != &other) set(other.text_, static_cast<int>(other.length_));
  return *this;
}
MString& MString::operator=(const char* other) {
  set(other);
  return *this;
}
MString& MString::operator=(double value) {
  set(value);
  return *this;
}
MString& MString::operator+=(const MString& other) {
  std::string joined = std::string(text_, length_) + std::string(other.text_, other.length_);
  set(joined.data(), static_cast<int>(joined.size()));
  return *this;
}
MString& MString::operator+=(const char* other) { return *this += MString(other); }
MString& MString::operator+=(double other) { return *this += MString(numberText(other).c_str()); }
MString& MString::operator+=(int other) { return *this += MString(std::to_string(other).c_str()); }

bool MString::operator==(const MString& other) const {
  return length_ == other.length_ && std::memcmp(text_, other.text_, length_) == 0;
}
bool MString::operator==(const char* other) const { return *this == MString(other); }
bool MString::operator!=(const MString& other) const { return !(*this == other); }
bool MString::operator!=(const char* other) const { return !(*this == other); }
MString MString::operator+(const MString& other) const {
  MString result(*this);
  result += other;
  return result;
}
MString MString::operator+(const char* other) const { return *this + MString(other); }
MString MString::operator+(double value) const { return *this + MString(numberText(value).c_str()); }
MString operator+(const char* left, const MString& right) { return MString(left) + right; }

const char* MString::asChar() const { return text_; }
unsigned MString::length() const { return length_; }
void MString::clear() { set(""); }

int MString::index(char c) const {
  for (unsigned i = 0; i < length_; ++i) {
    if (text_[i] == c) return static_cast<int>(i);
  }
  return -1;
}

int MString::rindex(char c) const {
  for (unsigned i = length_; i-- > 0;) {
    if (text_[i] == c) return static_cast<int>(i);
  }
  return -1;
}

// Empty pieces are dropped ("a;;b;" gives "a", "b"): the host's handling of them is not documented, and option
// strings are read as if it dropped them. hostBehaviour().splitKeepsEmptyPieces keeps them instead.
MStatus MString::split(char separator, MStringArray& pieces) const {
  pieces.clear();
  const bool keepEmpty = headless::hostBehaviour().splitKeepsEmptyPieces;
  unsigned start = 0;
  for (unsigned i = 0; i <= length_; ++i) {
    if (i == length_ || text_[i] == separator) {
      if (i > start || keepEmpty) pieces.append(MString(text_ + start, static_cast<int>(i - start)));
      start = i + 1;
    }
  }
  return MStatus::kSuccess;
}

MString MString::substring(int start, int end) const {
  if (start < 0) start = 0;
  if (end >= static_cast<int>(length_)) end = static_cast<int>(length_) - 1;
  if (end < start) return MString();
  return MString(text_ + start, end - start + 1);
}

MString& MString::toUpperCase() {
  for (unsigned i = 0; i < length_; ++i) text_[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[i])));
  return *this;
}

MString& MString::toLowerCase() {
  for (unsigned i = 0; i < length_; ++i) text_[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[i])));
  return *this;
}

bool MString::isShort() const {
  long value = 0;
  return parseInteger(text_, value) && value >= -32768 && value <= 32767;
}
short MString::asShort() const { return headless::narrow<short>(asInt()); }
bool MString::isInt() const {
  long value = 0;
  return parseInteger(text_, value);
}
// The leading integer of the text, 0 when it has none.
int MString::asInt() const {
  long value = 0;
  parseInteger(text_, value);
  return headless::narrow<int>(static_cast<double>(value));
}
bool MString::isUnsigned() const {
  long value = 0;
  return parseInteger(text_, value) && value >= 0;
}
unsigned MString::asUnsigned() const { return headless::narrow<unsigned>(asInt()); }
bool MString::isFloat() const {
  double value = 0;
  return parseReal(text_, value);
}
float MString::asFloat() const { return static_cast<float>(asDouble()); }
bool MString::isDouble() const { return isFloat(); }
double MString::asDouble() const {
  double value = 0;
  parseReal(text_, value);
  return value;
}
