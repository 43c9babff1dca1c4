#include "sphere_mesh.h"

#include <cmath>
#include <cstring>

#include "model/allocation.h"

namespace {

// Segments around the axis: the largest divisor-friendly count not above the square root.
int32_t segmentsFor(int32_t triangles)
{
    int32_t segments = int32_t(std::sqrt(double(triangles)));
    while (segments > 1 && triangles % (2 * segments) != 0)
        --segments;
    return segments;
}

} // namespace

void buildSphereScene(Model& model, int32_t triangles)
{
    const int32_t segments = segmentsFor(triangles);
    const int32_t rings = triangles / (2 * segments) + 1; // bands of faces from pole to pole
    const int32_t columns = segments + 1;                  // the seam column repeats column 0
    const double pi = 3.14159265358979323846;

    memset(&model, 0, sizeof model);
    model.numMaterials = 1;
    model.materials = allocateArray<Material>("model->materials", 1);
    strcpy(model.materials[0].name, "sphereMaterial");
    model.numFrames = 1;
    model.frames = allocateArray<Frame>("model->frames", 1);
    Frame& frame = model.frames[0];
    frame.numMeshes = 1;
    frame.meshes = allocateArray<Mesh>("frame->meshes", 1);
    frame.lattices = allocateArray<Lattice>("frame->lattices", 0);
    frame.cameras = allocateArray<Camera>("frame->cameras", 0);
    frame.NURBS = allocateArray<Nurb>("frame->NURBS", 0);
    frame.NURBSCurves = allocateArray<Curve>("frame->NURBSCurves", 0);
    frame.lights = allocateArray<Light>("frame->lights", 0);

    Mesh& mesh = frame.meshes[0];
    strcpy(mesh.name, "sphere");
    strcpy(mesh.shapeName, "sphereShape");

    // Positions: a grid of (rings + 1) x columns; the pole rows and the seam column hold exact copies.
    mesh.numVerts = (rings + 1) * columns;
    mesh.verts = allocateArray<float>("mesh->verts", size_t(mesh.numVerts) * 3);
    for (int32_t r = 0; r <= rings; ++r) {
        double theta = pi * r / rings;
        for (int32_t c = 0; c < columns; ++c) {
            double phi = 2.0 * pi * (c % segments) / segments;
            float* p = mesh.verts + 3 * size_t(r * columns + c);
            bool pole = r == 0 || r == rings;
            p[0] = pole ? 0.0f : float(std::sin(theta) * std::cos(phi));
            p[1] = float(std::cos(theta));
            p[2] = pole ? 0.0f : float(std::sin(theta) * std::sin(phi));
        }
    }

    // Faces: triangles at the poles, quads between.
    mesh.numPolygons = segments * rings;
    mesh.polygons = allocateArray<Polygon>("mesh->polygons", size_t(mesh.numPolygons), 0xFF);
    int32_t corners = 0;
    for (int32_t r = 0; r < rings; ++r)
        corners += segments * ((r == 0 || r == rings - 1) ? 3 : 4);
    mesh.numUVs = corners;
    mesh.UVs = allocateArray<float>("mesh->UVs", size_t(corners) * 2);
    mesh.numNormals = corners;
    mesh.normals = allocateArray<float>("mesh->normals", size_t(corners) * 3);
    mesh.numColors = corners;
    mesh.colors = allocateArray<float>("mesh->colors", size_t(corners) * 3);

    int32_t corner = 0;
    for (int32_t r = 0; r < rings; ++r) {
        for (int32_t s = 0; s < segments; ++s) {
            Polygon& polygon = mesh.polygons[r * segments + s];
            // Corners of the quad between rings r and r + 1; at a pole the corner on the pole row
            // that would repeat the other one is left out.
            int32_t grid[4][2] = {{r, s}, {r + 1, s}, {r + 1, s + 1}, {r, s + 1}};
            int32_t count = 4;
            if (r == 0) {
                count = 3; // drops (0, s + 1)
            } else if (r == rings - 1) {
                grid[2][0] = r, grid[2][1] = s + 1; // drops (rings, s + 1)
                count = 3;
            }
            polygon.numVerts = count;
            for (int32_t k = 0; k < count; ++k) {
                int32_t gr = grid[k][0], gc = grid[k][1];
                int32_t vertex = gr * columns + gc;
                const float* position = mesh.verts + 3 * size_t(vertex);
                // Smooth normal, but faces above and below the equator get their own.
                float* normal = mesh.normals + 3 * size_t(corner);
                bool upper = r < rings / 2;
                normal[0] = position[0];
                normal[1] = (gr == rings / 2) ? (upper ? 0.5f : -0.5f) : position[1];
                normal[2] = position[2];
                float* uv = mesh.UVs + 2 * size_t(corner);
                uv[0] = float(gc) / float(segments);
                uv[1] = float(gr) / float(rings);
                float* color = mesh.colors + 3 * size_t(corner);
                int32_t band = (8 * r) / rings;
                color[0] = float(band & 1);
                color[1] = float((band >> 1) & 1);
                color[2] = float((band >> 2) & 1);
                polygon.vertIndices[k] = vertex;
                polygon.uvIndices[k] = corner;
                polygon.normalIndices[k] = corner;
                polygon.colorIndices[k] = corner;
                ++corner;
            }
        }
    }
}

namespace {

float* copyOf(const char* label, const float* values, int32_t count, int32_t width)
{
    float* copy = allocateArray<float>(label, size_t(count) * width);
    memcpy(copy, values, sizeof(float) * size_t(count) * width);
    return copy;
}

} // namespace

void copyMesh(Mesh& to, const Mesh& from)
{
    to = from;
    to.verts = copyOf("mesh->verts", from.verts, from.numVerts, 3);
    to.UVs = copyOf("mesh->UVs", from.UVs, from.numUVs, 2);
    to.normals = copyOf("mesh->normals", from.normals, from.numNormals, 3);
    to.colors = copyOf("mesh->colors", from.colors, from.numColors, 3);
    to.polygons = allocateArray<Polygon>("mesh->polygons", size_t(from.numPolygons));
    memcpy(to.polygons, from.polygons, sizeof(Polygon) * size_t(from.numPolygons));
}
