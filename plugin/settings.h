#pragma once
// Process-wide settings of one export, filled by the export set-up and read by the later stages.

#include <cstdint>

enum { SETTINGS_PATH_SIZE = 260 };

extern char outputPath[SETTINGS_PATH_SIZE];       // full path of the file being written
extern char projectDirectory[SETTINGS_PATH_SIZE]; // workspace root, lower-cased, forward slashes
extern float exportScale;                         // multiplies captured positions; 1.0 at every export
extern uint8_t includeVertexColors;               // option "vertexColors"
extern uint8_t useProjectRelativePaths;           // option "relProjPath"
extern uint8_t optimizeModel;                     // option "optimize"

// Values of captureMode: the whole scene, or the active selection.
enum { CAPTURE_WHOLE_SCENE = 1, CAPTURE_SELECTION = 2 };
// Values of upAxis: the axis wanted in the exported data (any other value: no conversion).
enum { UP_AXIS_Y = 0, UP_AXIS_Z = 1 };

// Replaces every backslash of a terminated text by '/', in place.
void toForwardSlashes(char* text);
