#include "plugin/export_pipeline.h"

#include <cstdio>

#include "capture/model_capture.h"
#include "log/log.h"
#include "model/allocation.h"
#include "model/model.h"
#include "output/convert.h"
#include "output/free_qax_model.h"
#include "output/qax_model.h"
#include "output/writer.h"
#include "plugin/settings.h"

// Releases whatever a failed stage left in the two models, without a word in the log: the stage has
// already said why it failed, and freeModel's "No frames found." would only mislead after a capture
// that failed before its frame existed.
static void releaseAfterFailure(Model& model, qaxModel& output)
{
    if (model.numFrames >= 1 && model.frames) {
        freeModel(model);
    } else {
        releaseArray(model.materials);
        model.numMaterials = 0;
        releaseArray(model.frames);
        model.numFrames = 0;
    }
    freeQAXModel(output);
}

MStatus exportModel(int32_t captureMode)
{
    Model model = {};
    qaxModel output = {};

    logPrint(0, "Loading model data from maya...\n");
    if (!getMayaModelData(model, captureMode, optimizeModel, UP_AXIS_Y)) {
        logPrint(0, "getMayaModelData failed\n");
        releaseAfterFailure(model, output);
        return MStatus::kFailure;
    }
    if (!convertToQAX(model, output)) {
        logPrint(0, "convertToQAX failed\n");
        releaseAfterFailure(model, output);
        return MStatus::kFailure;
    }
    if (!writeOutQAXFile(outputPath, output)) {
        // Console only: the writer has already logged which file it could not open.
        fputs("writeOutQAXFile failed\n", stderr);
        releaseAfterFailure(model, output);
        return MStatus::kFailure;
    }

    logPrint(0, "Freeing model and qax data...\n");
    freeModel(model);
    freeQAXModel(output);
    reportAllocations();
    logPrint(0, "Successful, all done!\n");
    return MStatus::kSuccess;
}
