#pragma once
// The export's backbone: capture, conversion, writing and release of both models.

#include <cstdint>

#include <maya/MStatus.h>

// Captures the host scene (captureMode CAPTURE_WHOLE_SCENE or CAPTURE_SELECTION) into a scene model,
// converts it to the output model and writes that to outputPath. Each failing stage adds its line
// and ends the export with kFailure; both models are released on every way out, so the allocation
// register holds no block of this export once it returns.
MStatus exportModel(int32_t captureMode);
