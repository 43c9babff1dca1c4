#ifndef _MStatus
#define _MStatus
// The result of an API call: a status code and whether it is an error.

#include <maya/MTypes.h>

class MString;

class OPENMAYA_EXPORT MStatus {
 public:
  enum MStatusCode {
    kSuccess = 0,
    kFailure,
    kInsufficientMemory,
    kInvalidParameter,
    kLicenseFailure,
    kUnknownParameter,
    kNotImplemented,
    kNotFound,
    kEndOfFile
  };

  MStatus();
  MStatus(MStatusCode code);
  MStatus(const MStatus& other);
  MStatus& operator=(const MStatus& other);
  bool operator==(const MStatus& other) const { return code_ == other.code_; }
  bool operator==(const MStatusCode other) const { return code_ == other; }
  bool operator!=(const MStatus& other) const { return code_ != other.code_; }
  bool operator!=(const MStatusCode other) const { return code_ != other; }
  operator bool() const { return code_ == kSuccess; }
  bool error() const { return code_ != kSuccess; }
  void clear();
  MStatusCode statusCode() const { return static_cast<MStatusCode>(code_); }
  MString errorString() const;
  void perror(const char* prefix) const;
  void perror(const MString& prefix) const;

  friend inline bool operator==(const MStatus::MStatusCode code, const MStatus& status) {
    return status.code_ == code;
  }
  friend inline bool operator!=(const MStatus::MStatusCode code, const MStatus& status) {
    return status.code_ != code;
  }

 private:
  unsigned char code_;
};

typedef MStatus MS;

#endif
