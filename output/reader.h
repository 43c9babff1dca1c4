#pragma once
// Reads a .qax file back into an output model, trusting nothing in it: every tag, length and count
// is checked against the format and against the bytes actually present before it is used.

#include <cstddef>

#include "output/qax_model.h"

// Sub-materials nest MAT0 chunks inside MAT0 chunks; deeper nesting than this is refused.
enum { QAX_MAX_MATERIAL_DEPTH = 32 };

// Parses size bytes of a .qax file into model (whatever it held is overwritten, not freed). On
// success every array with a count above zero is allocated under the labels the conversion uses
// (sub-materials: "m->subMaterials.subMaterials"), so freeQAXModel releases them; arrays with a
// count of zero stay null. `vertexColors.present` is 1 exactly when the object has a VCOL chunk.
// On failure returns false, writes a message naming the byte offset, the chunk and what was
// expected into error (errorSize bytes, always terminated; error may be null when errorSize is 0),
// and leaves model zeroed with nothing allocated. Nothing is logged.
bool parseQAX(const unsigned char* data, size_t size, qaxModel& model, char* error, size_t errorSize);

// Reads the whole file at path and parses it as parseQAX does. A file that cannot be opened or read
// fails with a message naming the path and the system's reason.
bool readQAXFile(const char* path, qaxModel& model, char* error, size_t errorSize);

// Checks that every index of every object is below that object's numVertices (the format itself
// allows any 16-bit value). Returns false with a message naming the object, the position in its
// index list and the value when one is not.
bool validateQAXIndices(const qaxModel& model, char* error, size_t errorSize);
