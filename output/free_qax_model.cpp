#include "output/free_qax_model.h"

#include "model/allocation.h"

static void freeMaterialArrays(qaxMaterial& material)
{
    releaseArray(material.textures.textures);
    if (material.subMaterials.subMaterials) {
        // Only the reader builds sub-materials; they own arrays of their own.
        for (int32_t i = 0; i < material.subMaterials.numSubMaterials; ++i)
            freeMaterialArrays(material.subMaterials.subMaterials[i]);
        releaseArray(material.subMaterials.subMaterials);
    }
}

static void freeObjectArrays(qaxObject& object)
{
    releaseArray(object.indices.indices);
    releaseArray(object.vertices.vertices);
    releaseArray(object.vertexColors.vertexColors);
    releaseArray(object.UVs.UVs);
    releaseArray(object.normals.normals);
    releaseArray(object.bursts.burstStart);
    releaseArray(object.bursts.burstCount);
    releaseArray(object.bursts.burstMaterialID);
    releaseArray(object.bursts.burstVperP);
}

void freeQAXModel(qaxModel& model)
{
    if (model.materials.materials)
        for (int32_t i = 0; i < model.materials.numMaterials; ++i)
            freeMaterialArrays(model.materials.materials[i]);
    releaseArray(model.materials.materials);

    if (model.objects.objects)
        for (int32_t i = 0; i < model.objects.numObjects; ++i)
            freeObjectArrays(model.objects.objects[i]);
    releaseArray(model.objects.objects);
}
