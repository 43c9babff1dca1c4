#ifndef _MString
#define _MString
// A byte string, the form of every text argument and result of the API.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MStringArray;

class OPENMAYA_EXPORT MString {
 public:
  MString();
  MString(const char* text);
  MString(const char* text, int length);
  MString(const MString& other);
  ~MString();

  MString& operator+=(const MString& other);
  MString& operator+=(const char* other);
  MString& operator+=(double other);
  MString& operator+=(int other);
  MString& operator=(const MString& other);
  MString& operator=(const char* other);
  MString& operator=(double value);
  bool operator==(const MString& other) const;
  bool operator==(const char* other) const;
  bool operator!=(const MString& other) const;
  bool operator!=(const char* other) const;
  MString operator+(const MString& other) const;
  MString operator+(const char* other) const;
  MString operator+(double value) const;

  MStatus set(const char* text);
  MStatus set(const char* text, int length);
  MStatus set(double value);
  MStatus set(double value, int precision);
  const char* asChar() const;
  unsigned length() const;
  void clear();
  int index(char c) const;
  int rindex(char c) const;
  MStatus split(char separator, MStringArray& pieces) const;
  MString substring(int start, int end) const;
  MString& toUpperCase();
  MString& toLowerCase();
  bool isShort() const;
  short asShort() const;
  bool isInt() const;
  int asInt() const;
  bool isUnsigned() const;
  unsigned asUnsigned() const;
  bool isFloat() const;
  float asFloat() const;
  bool isDouble() const;
  double asDouble() const;

  friend OPENMAYA_EXPORT MString operator+(const char* left, const MString& right);

 private:
  char* text_;
  unsigned length_;
};

#endif
