#pragma once
// Scenes, fixtures and helpers shared by the capture and material tests.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MObject.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "model/model.h"
#include "plugin/settings.h"
#include "support/test_support.h"

namespace capturetest {

// Every test starts from a truly empty scene with the host's default behaviour and the settings an
// export starts with, captures the log, and puts the settings back afterwards.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::resetHostBehaviour();
        headless::emptyScene();
        savedScale_ = exportScale;
        copyFixedText(savedProject_, sizeof(savedProject_), projectDirectory);
        exportScale = 1.0f;
        projectDirectory[0] = '\0';
        liveAtStart_ = liveAllocations();
    }
    void TearDown() override
    {
        exportScale = savedScale_;
        copyFixedText(projectDirectory, sizeof(projectDirectory), savedProject_);
        headless::resetHostBehaviour();
        headless::emptyScene();
    }
    // Blocks registered since the test started.
    int32_t newAllocations() const { return liveAllocations() - liveAtStart_; }

    testsupport::LogCapture log;

private:
    float savedScale_ = 1.0f;
    char savedProject_[SETTINGS_PATH_SIZE] = {};
    int32_t liveAtStart_ = 0;
};

using Lines = std::vector<std::string>;

// A shader name of 40 characters and the 31 of it that a name field keeps.
inline const std::string longName = "aShaderNameOfFortyCharactersForTheLookup";
inline const std::string longNameCut = "aShaderNameOfFortyCharactersFor";

// A stored triple through a log line's format, as the log prints it.
inline std::string formatTriple(const char* format, const float v[3])
{
    char text[256];
    snprintf(text, sizeof(text), format, v[0], v[1], v[2]);
    return text;
}

// The host's default cube: 8 corners of a unit cube, 6 quads, 14 texture coordinates laid out as the
// host lays out a cube's UVs, one normal per face, and colours on the corners of the first face only.
inline headless::MeshData cubeData()
{
    headless::MeshData data;
    data.points = {{-0.5, -0.5, 0.5}, {0.5, -0.5, 0.5},  {-0.5, 0.5, 0.5},  {0.5, 0.5, 0.5},
                   {-0.5, 0.5, -0.5}, {0.5, 0.5, -0.5},  {-0.5, -0.5, -0.5}, {0.5, -0.5, -0.5}};
    data.faces = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
    data.uvs = {{0.375f, 0.0f},  {0.625f, 0.0f},  {0.375f, 0.25f}, {0.625f, 0.25f}, {0.375f, 0.5f},
                {0.625f, 0.5f},  {0.375f, 0.75f}, {0.625f, 0.75f}, {0.375f, 1.0f},  {0.625f, 1.0f},
                {0.875f, 0.0f},  {0.875f, 0.25f}, {0.125f, 0.0f},  {0.125f, 0.25f}};
    data.faceUVs = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 9, 8}, {1, 10, 11, 3}, {12, 0, 2, 13}};
    data.normals = {{0, 0, 1}, {0, 1, 0}, {0, 0, -1}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};
    data.faceNormals = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}};
    data.colors = {{1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 0.5f}, {0.0f, 0.0f, 1.0f, 1.0f}};
    data.faceColors = {{0, 1, 2, 0}, {-1, -1, -1, -1}, {-1, -1, -1, -1},
                       {-1, -1, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}};
    return data;
}

// A transform with a mesh shape below it; returns the shape.
inline MObject makeMesh(const std::string& transformName, const std::string& shapeName,
                        const headless::MeshData& data = cubeData(), const MObject& parent = MObject::kNullObj)
{
    MObject transform = headless::createTransform(transformName, parent);
    return headless::createMesh(shapeName, transform, data);
}

// A transform with a NURBS surface of numCVsU x numCVsV control points below it; returns the shape.
// A surface needs at least degree + 1 control points each way.
inline MObject makeSurface(const std::string& transformName, int numCVsU, int numCVsV, bool bezier, int degree = 3)
{
    headless::NurbsSurfaceData data;
    data.degreeU = degree;
    data.degreeV = degree;
    data.numCVsU = numCVsU;
    data.numCVsV = numCVsV;
    data.bezier = bezier;
    for (int u = 0; u < numCVsU; ++u)
        for (int v = 0; v < numCVsV; ++v)
            data.cvs.push_back({double(u), double(v), 0.0});
    MObject transform = headless::createTransform(transformName);
    return headless::createNurbsSurface(transformName + "Shape", transform, data);
}

// A material table holding records with the given names (everything else zero), as the material
// capture leaves it; released with the model.
struct MaterialTable {
    Model model = {};
    explicit MaterialTable(const std::vector<std::string>& names)
    {
        model.numMaterials = (int32_t)names.size();
        model.materials = allocateArray<Material>("model->materials", names.size());
        for (size_t i = 0; i < names.size(); ++i)
            copyFixedText(model.materials[i].name, NAME_SIZE, names[i].c_str());
    }
    ~MaterialTable() { releaseArray(model.materials); }
};

// A model with a material table as above and one empty frame, as the driver leaves it before a geometry
// walk; released with everything captured into it.
struct FrameModel : MaterialTable {
    explicit FrameModel(const std::vector<std::string>& materialNames = {}) : MaterialTable(materialNames)
    {
        model.numFrames = 1;
        model.frames = allocateArray<Frame>("model->frames", 1);
    }
    ~FrameModel() { freeModel(model); }
    Frame& frame() { return model.frames[0]; }
};

} // namespace capturetest
