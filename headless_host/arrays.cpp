// The API's array classes: a growable block of elements with the API's index and length operations.
#include <maya/MColorArray.h>
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MDoubleArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MIntArray.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <type_traits>

namespace {

// The API has size increments for its arrays; this one grows geometrically and only reports the value.
const unsigned kSizeIncrement = 4;

template <class T>
void reserve(T*& items, unsigned length, unsigned& capacity, unsigned wanted) {
  if (wanted <= capacity) return;
  unsigned grown = std::max(wanted, std::max(capacity * 2, kSizeIncrement));
  T* fresh = new T[grown];
  for (unsigned i = 0; i < length; ++i) fresh[i] = items[i];
  delete[] items;
  items = fresh;
  capacity = grown;
}

template <class T>
void assign(T*& items, unsigned& length, unsigned& capacity, const T* source, unsigned count) {
  reserve(items, 0, capacity, count);
  for (unsigned i = 0; i < count; ++i) items[i] = source[i];
  length = count;
}

template <class T>
void resize(T*& items, unsigned& length, unsigned& capacity, unsigned count, const T& fill) {
  reserve(items, length, capacity, count);
  for (unsigned i = length; i < count; ++i) items[i] = fill;
  length = count;
}

// setLength: the new elements are T(), which a block reserve() has just made holds already.
template <class T>
void setLengthTo(T*& items, unsigned& length, unsigned& capacity, unsigned count) {
  const unsigned before = capacity;
  reserve(items, length, capacity, count);
  if (capacity == before)
    for (unsigned i = length; i < count; ++i) items[i] = T();
  length = count;
}

template <class T>
bool removeAt(T* items, unsigned& length, unsigned index) {
  if (index >= length) return false;
  for (unsigned i = index; i + 1 < length; ++i) items[i] = items[i + 1];
  items[--length] = T();
  return true;
}

template <class T>
bool insertAt(T*& items, unsigned& length, unsigned& capacity, const T& element, unsigned index) {
  if (index > length) return false;
  reserve(items, length, capacity, length + 1);
  for (unsigned i = length; i > index; --i) items[i] = items[i - 1];
  items[index] = element;
  ++length;
  return true;
}

template <class T>
bool setAt(T* items, unsigned length, const T& element, unsigned index) {
  if (index >= length) return false;
  items[index] = element;
  return true;
}

MStatus ok(bool success) { return success ? MStatus::kSuccess : MStatus::kFailure; }

}  // namespace

// Members common to the arrays that can be copied; Ret is the result type of the editing calls.
#define QAX_ARRAY_COMMON(Class, T, Ret, Wrap)                                                              \
  Class::Class() : items_(nullptr), length_(0), capacity_(0) {}                                            \
  Class::Class(const Class& other) : items_(nullptr), length_(0), capacity_(0) {                           \
    assign(items_, length_, capacity_, other.items_, other.length_);                                       \
  }                                                                                                        \
  Class::Class(const T source[], unsigned count) : items_(nullptr), length_(0), capacity_(0) {             \
    assign(items_, length_, capacity_, source, count);                                                     \
  }                                                                                                        \
  Class::~Class() { delete[] items_; }                                                                     \
  MStatus Class::setLength(unsigned length) {                                                              \
    setLengthTo(items_, length_, capacity_, length);                                                       \
    return MStatus::kSuccess;                                                                              \
  }                                                                                                        \
  unsigned Class::length() const { return length_; }                                                       \
  Ret Class::set(const T& element, unsigned index) { return Wrap(setAt(items_, length_, element, index)); } \
  Ret Class::remove(unsigned index) { return Wrap(removeAt(items_, length_, index)); }                     \
  Ret Class::insert(const T& element, unsigned index) {                                                    \
    return Wrap(insertAt(items_, length_, capacity_, element, index));                                     \
  }                                                                                                        \
  Ret Class::append(const T& element) { return Wrap(insertAt(items_, length_, capacity_, element, length_)); } \
  void Class::setSizeIncrement(unsigned) {}                                                                \
  unsigned Class::sizeIncrement() const { return kSizeIncrement; }

#define QAX_ARRAY_ASSIGN(Class)                                          \
  Class& Class::operator=(const Class& other) {                          \
    if (this != &other) assign(items_, length_, capacity_, other.items_, other.length_); \
    return *this;                                                        \
  }

#define QAX_ARRAY_FILL(Class, T, Param)                                                           \
  Class::Class(unsigned initialSize, Param initialValue) : items_(nullptr), length_(0), capacity_(0) { \
    resize(items_, length_, capacity_, initialSize, static_cast<T>(initialValue));                \
  }

#define QAX_ARRAY_INDEX(Class, T, ConstRet)                             \
  ConstRet Class::operator[](unsigned index) const { return items_[index]; } \
  T& Class::operator[](unsigned index) { return items_[index]; }

#define QAX_ARRAY_CLEAR(Class, Ret, Wrap) \
  Ret Class::clear() {                    \
    for (unsigned i = 0; i < length_; ++i) items_[i] = std::remove_pointer<decltype(items_)>::type(); \
    length_ = 0;                          \
    return Wrap(true);                    \
  }

// An array of values: everything above, copied and assigned, filled, indexed by value (ConstRet) and cleared.
#define QAX_VALUE_ARRAY(Class, T, ConstRet, Ret, Wrap) \
  QAX_ARRAY_COMMON(Class, T, Ret, Wrap)                \
  QAX_ARRAY_ASSIGN(Class)                              \
  QAX_ARRAY_FILL(Class, T, ConstRet)                   \
  QAX_ARRAY_INDEX(Class, T, ConstRet)                  \
  QAX_ARRAY_CLEAR(Class, Ret, Wrap)

namespace {
bool same(bool success) { return success; }
}  // namespace

QAX_VALUE_ARRAY(MIntArray, int, int, MStatus, ok)
QAX_VALUE_ARRAY(MFloatArray, float, float, MStatus, ok)
QAX_VALUE_ARRAY(MDoubleArray, double, double, MStatus, ok)
QAX_VALUE_ARRAY(MColorArray, MColor, const MColor&, MStatus, ok)
QAX_VALUE_ARRAY(MFloatPointArray, MFloatPoint, const MFloatPoint&, MStatus, ok)
QAX_VALUE_ARRAY(MFloatVectorArray, MFloatVector, const MFloatVector&, bool, same)
QAX_VALUE_ARRAY(MPointArray, MPoint, const MPoint&, MStatus, ok)

QAX_ARRAY_COMMON(MObjectArray, MObject, MStatus, ok)
QAX_ARRAY_FILL(MObjectArray, MObject, const MObject&)
QAX_ARRAY_INDEX(MObjectArray, MObject, const MObject&)
QAX_ARRAY_CLEAR(MObjectArray, MStatus, ok)

QAX_ARRAY_COMMON(MPlugArray, MPlug, MStatus, ok)
QAX_ARRAY_ASSIGN(MPlugArray)
QAX_ARRAY_CLEAR(MPlugArray, MStatus, ok)
MPlug MPlugArray::operator[](unsigned index) const { return items_[index]; }
MPlug MPlugArray::operator[](unsigned index) { return items_[index]; }

QAX_ARRAY_COMMON(MStringArray, MString, MStatus, ok)
QAX_ARRAY_ASSIGN(MStringArray)
QAX_ARRAY_FILL(MStringArray, MString, const MString&)
QAX_ARRAY_CLEAR(MStringArray, MStatus, ok)
MString MStringArray::operator[](unsigned index) const { return items_[index]; }
MString& MStringArray::operator[](unsigned index) { return items_[index]; }

// MDagPathArray can be neither copied nor assigned.
MDagPathArray::MDagPathArray() : items_(nullptr), length_(0), capacity_(0) {}
MDagPathArray::~MDagPathArray() { delete[] items_; }
const MDagPath& MDagPathArray::operator[](unsigned index) const { return items_[index]; }
MDagPath& MDagPathArray::operator[](unsigned index) { return items_[index]; }
MStatus MDagPathArray::setLength(unsigned length) {
  resize(items_, length_, capacity_, length, MDagPath());
  return MStatus::kSuccess;
}
unsigned MDagPathArray::length() const { return length_; }
MStatus MDagPathArray::remove(unsigned index) { return ok(removeAt(items_, length_, index)); }
MStatus MDagPathArray::insert(const MDagPath& element, unsigned index) {
  return ok(insertAt(items_, length_, capacity_, element, index));
}
MStatus MDagPathArray::append(const MDagPath& element) {
  return ok(insertAt(items_, length_, capacity_, element, length_));
}
MStatus MDagPathArray::clear() {
  for (unsigned i = 0; i < length_; ++i) items_[i] = MDagPath();
  length_ = 0;
  return MStatus::kSuccess;
}
