// Writes the committed seed files of the .qax reader target with the project's own writer:
//   fuzz_seed_writer DIRECTORY
// Small models of every shape the format allows: empty lists, the worked size example, several
// materials and objects with and without vertex colours, several bursts, nested sub-materials.

#include <cstdio>
#include <string>
#include <vector>

#include "output/free_qax_model.h"
#include "output/qax_test_models.h"
#include "output/writer.h"

using namespace qaxtest;

namespace {

bool write(const std::string& directory, const char* name, qaxModel model)
{
    computeLengths(model);
    bool written = writeOutQAXFile((directory + "/" + name).c_str(), model);
    freeQAXModel(model);
    if (!written)
        fprintf(stderr, "could not write %s\n", name);
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    bool ok = true;
    ok &= write(directory, "empty.qax", makeModel({}, {}));
    ok &= write(directory, "worked_example.qax", makeModel({makeMaterial("material", {""}, 1)}, {makeObject(3, 3, 1, false, 1)}));
    ok &= write(directory, "two_materials_three_objects.qax",
                makeModel({makeMaterial("brick", {"sourceimages/brick.png"}, 2), makeMaterial("Glass_01", {"glass.tga"}, 3)},
                          {makeObject(4, 6, 1, true, 4), makeObject(8, 12, 2, false, 5), makeObject(0, 0, 0, true, 6)}));
    qaxMaterial outer = makeMaterial("outer", {"a.png", "b.png"}, 7);
    qaxMaterial middle = makeMaterial("middle", {}, 8);
    setSubMaterials(middle, {makeMaterial("inner", {"c.png"}, 9)});
    setSubMaterials(outer, {middle, makeMaterial("side", {""}, 10)});
    ok &= write(directory, "nested_sub_materials.qax", makeModel({outer}, {makeObject(3, 3, 1, true, 11)}));
    std::string longName(64, 'n');
    ok &= write(directory, "longest_strings.qax",
                makeModel({makeMaterial(longName, {std::string(64, 't')}, 12)}, {makeObject(6, 9, 3, false, 13)}));
    return ok ? 0 : 1;
}
