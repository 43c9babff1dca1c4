#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_scene_export: small scene programs in the byte form that
fuzz_scene_export.cpp reads (one operation byte, then its parameters). Each seed builds a scene the
export accepts, so that the fuzzer starts from working scenes and mutates them.
Usage: make_scene_seeds.py DIRECTORY"""

import os
import sys

# Operation bytes, as the switch in buildStep numbers them.
TRANSFORM, MESH, NEW_GEOMETRY, SHADER, FILE_TEXTURE, SHADING_GROUP, MEMBERS = 0, 1, 4, 5, 6, 7, 8
LATTICE, CAMERA, LIGHT, SURFACE, CURVE, HIDE, INSTANCE, SELECT, ATTRIBUTE, RENAME, SETTINGS = (
    10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21)


def number(value):
    """A multiple of 0.25 from -8 to 7.75: one byte."""
    steps = int(round(value * 4)) + 32
    assert 0 <= steps < 64 and (steps - 32) / 4 == value, value
    return [0x40 | steps]


def name(letter):
    """A plain node name: one byte below 0xC0 (its letter is byte % 26)."""
    return [ord(letter) - ord('a')]


def new_parent(letter):
    """parentFor: a new transform under the world."""
    return [0xC0] + name(letter)


def old_parent(index):
    """parentFor: the existing transform of this index."""
    return [index]


# Ids outside the range, as index() reads them: -1, and the count itself.
MINUS_ONE, THE_COUNT = 'minus one', 'the count'


def explicit_faces(faces, id_count):
    out = []
    for face in faces:
        out += [0]  # ids one by one, one byte each
        for i in face:
            if i == MINUS_ONE:
                out += [0xF0]
            elif i == THE_COUNT:
                out += [0xF8]
            else:
                assert id_count <= 240 and 0 <= i < id_count
                out += [i]
    return out


def mesh(parent, shape, points, faces, **parts):
    return [MESH] + parent + name(shape) + mesh_data(points, faces, **parts)


def mesh_data(points, faces, uvs=None, face_uvs=None, normals=None, face_normals=None, colors=None,
              face_colors=None):
    out = [len(points), 0]  # point count, explicit points
    for p in points:
        for c in p:
            out += number(c)
    out += [len(faces)]
    for face in faces:
        out += [len(face) - 3]  # corners = 3 + byte % 6
    out += explicit_faces(faces, len(points))
    parts = (1 if uvs else 0) | (2 if normals else 0) | (4 if colors else 0)
    out += [parts]
    if uvs:
        out += [len(uvs)]
        for u, v in uvs:
            out += number(u) + number(v)
        out += explicit_faces(face_uvs, len(uvs))
    if normals:
        out += [len(normals)]
        for n in normals:
            for c in n:
                out += number(c)
        out += explicit_faces(face_normals, len(normals))
    if colors:
        out += [len(colors)]
        for color in colors:
            for c in color:
                out += number(c)
        out += explicit_faces(face_colors, len(colors))
    return out


CUBE_POINTS = [(-1, -1, 1), (1, -1, 1), (-1, 1, 1), (1, 1, 1), (-1, 1, -1), (1, 1, -1), (-1, -1, -1), (1, -1, -1)]
CUBE_FACES = [[0, 1, 3, 2], [2, 3, 5, 4], [4, 5, 7, 6], [6, 7, 1, 0], [1, 7, 5, 3], [6, 0, 2, 4]]


# The first byte: bit 0 a new scene (lambert1, initialShadingGroup and the default cameras) instead of an empty
# one; bit 5 new meshes join the first shading group (initialShadingGroup in a new scene).
NEW_SCENE, NEW_SCENE_ASSIGNED, EMPTY_SCENE = 0x01, 0x21, 0x00


def options(vertex_colors, relative, optimize, mode):
    """The second byte: three option flags and the access mode (0 export all, 1 selection, 2 save)."""
    return [vertex_colors | relative << 1 | optimize << 2 | mode << 3]


def seeds():
    cube = mesh(new_parent('c'), 'd', CUBE_POINTS, CUBE_FACES,
                uvs=[(0, 0), (1, 0), (1, 1), (0, 1)], face_uvs=[[0, 1, 2, 3]] * 6,
                normals=[(0, 0, 1), (0, 1, 0), (0, 0, -1), (0, -1, 0), (1, 0, 0), (-1, 0, 0)],
                face_normals=[[i] * 4 for i in range(6)],
                colors=[(1, 0, 0, 1), (0, 1, 0, 1), (0, 0, 1, 0.5)], face_colors=[[0, 1, 2, 0]] * 6)
    # A new scene's pools start with lambert1 (shader 0) and initialShadingGroup (set 0).
    textured = ([SHADER, 1] + name('b') + [1, 0, 0] + number(0.5)  # blinn, diffuse 0.5
                + [FILE_TEXTURE] + name('f') + [0x00, 2] + [1, 0]  # sourceimages/checker.png -> blinn.color
                + [SHADING_GROUP, 1, 1] + name('g')  # with the blinn
                + [MEMBERS, 1, 0, 0, 1])  # the cube, instance 0, whole
    yield 'textured_cube', [NEW_SCENE] + options(1, 0, 1, 0) + cube + textured

    quad_and_triangles = mesh(new_parent('q'), 'r', [(0, 0, 0), (2, 0, 0), (2, 0, -2), (0, 0, -2), (1, 1, -1)],
                              [[0, 1, 2, 3], [0, 1, 4], [1, 2, 4], [2, 3, 4], [3, 0, 4]])
    per_face = ([SHADER, 2] + name('p') + [0]  # phong
                + [SHADING_GROUP, 1, 1] + name('s')
                + [MEMBERS, 1, 0, 0, 0, 2, 1, 3])  # faces 1 and 3 of the mesh, the rest stays in lambert1
    yield 'per_face_sets', [NEW_SCENE_ASSIGNED] + options(0, 1, 0, 0) + quad_and_triangles + per_face

    lattice = [LATTICE] + new_parent('l') + [2, 2, 2, 0] + name('m') + [1, 1, 0] + name('n')  # an ffd over the first mesh
    misc = ([CAMERA] + name('k') + new_parent('j') + [1, 10] + number(7.5)  # centerOfInterest
            + [LIGHT, 3] + name('s') + new_parent('t') + [0]
            + [LIGHT, 1] + name('u') + new_parent('v') + [0]
            + [CURVE, 3, 4] + number(0) * 3 + number(1) * 3 + number(2) * 3 + number(3) * 3 + name('w') + new_parent('x')
            + [SURFACE, 3, 3, 4, 4, 0, 0] + number(0.5) * 48 + name('y') + new_parent('z'))
    yield 'lattice_camera_lights', [NEW_SCENE_ASSIGNED] + options(0, 0, 0, 2) + cube + lattice + misc

    hierarchy = ([TRANSFORM, 0] + name('a') + [1] + number(1) + number(2) + number(3) + number(0) + number(4)
                 + number(0) + [2] + number(1) + number(1) + number(1)
                 + [TRANSFORM, 1, 0] + name('b') + [0]  # under the first
                 + mesh(old_parent(1), 'c', [(0, 0, 0), (1, 0, 0), (0, 1, 0)], [[0, 1, 2]])
                 + [INSTANCE, 1, 0, 0, 1]  # the mesh also under transform 0
                 + [HIDE, 2, 1, 1]  # transform a made visible (it already is)
                 + [SELECT, 0x90, 0, 1]  # the mesh's second instance selected
                 + [SETTINGS, 0, 1])  # Z up
    # The cube's geometry replaced by a damaged one: a face naming a vertex past the points, a colour id of -1.
    damaged = ([NEW_GEOMETRY, 1, 0]
               + mesh_data([(0, 0, 0), (1, 0, 0), (0, 1, 0)], [[0, 1, 2], [0, 2, THE_COUNT]],
                           colors=[(1, 1, 1, 1)], face_colors=[[0, MINUS_ONE, 0], [0, 0, 0]]))
    yield 'damaged_mesh', [NEW_SCENE_ASSIGNED] + options(1, 0, 1, 0) + cube + damaged

    yield 'hierarchy_instances_selection', [NEW_SCENE_ASSIGNED] + options(1, 1, 1, 1) + hierarchy


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for seed_name, data in seeds():
        assert all(isinstance(b, int) and 0 <= b < 256 for b in data), seed_name
        with open(os.path.join(sys.argv[1], seed_name), 'wb') as f:
            f.write(bytes(data))


if __name__ == '__main__':
    main()
