// The glTF export through tinygltf: the faces go into one buffer (positions, normals, colours,
// then indices), which tinygltf wraps in the binary container with its JSON.
#include "formats/gltfwriter.h"

#include <tiny_gltf.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <vector>

#include "space/cellcodes.h"

namespace {
// The editor's shading of a face by its axis and side (low side first): x, y, z.
constexpr float SHADE[3][2] = {{0.5f, 0.6f}, {0.2f, 1.0f}, {0.4f, 0.7f}};

// The editor's base colour of a value, as floats.
void BaseColour(int value, float rgb[3])
{
    if (value == CELL_BLACK) {
        rgb[0] = rgb[1] = rgb[2] = 0.25f;
        return;
    }
    rgb[0] = float(colourRed(value));
    rgb[1] = float(colourGreen(value));
    rgb[2] = float(colourBlue(value));
}

// The editor writes its colours as bytes to an sRGB screen; glTF colours are linear.
float Linear(float c)
{
    const float byte = std::floor(c * 255.0f + 0.5f) / 255.0f;
    return byte <= 0.04045f ? byte / 12.92f : std::pow((byte + 0.055f) / 1.055f, 2.4f);
}

struct SMesh {
    std::vector<float> positions, normals, colours;
    std::vector<std::uint32_t> indices;
    float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    float hi[3] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                   std::numeric_limits<float>::lowest()};

    // The face of cell `c` across `axis` on side `side` (0 low, 1 high), counter-clockwise
    // seen from outside.
    void face(const int c[3], int axis, int side, int value)
    {
        const int b = (axis + 1) % 3, d = (axis + 2) % 3;
        int corners[4][3];
        for (int k = 0; k < 4; k++) {
            std::memcpy(corners[k], c, sizeof corners[k]);
            corners[k][axis] += side;
        }
        corners[1][b]++;
        corners[2][b]++;
        corners[2][d]++;
        corners[3][d]++;
        float base[3];
        BaseColour(value, base);
        const std::uint32_t first = std::uint32_t(positions.size() / 3);
        for (int k = 0; k < 4; k++) {
            const int* p = corners[side ? k : 3 - k];
            for (int i = 0; i < 3; i++) {
                positions.push_back(float(p[i]));
                lo[i] = std::min(lo[i], float(p[i]));
                hi[i] = std::max(hi[i], float(p[i]));
                normals.push_back(i == axis ? (side ? 1.0f : -1.0f) : 0.0f);
                colours.push_back(Linear(base[i] * SHADE[axis][side]));
            }
        }
        indices.insert(indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
    }
};

SMesh VisibleFaces(const CSpace& space)
{
    SMesh mesh;
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++)
            for (int x = 0; x < space.getSizeX(); x++) {
                const int value = space.get(x, y, z);
                if (value == CELL_EMPTY) continue;
                const int c[3] = {x, y, z};
                for (int axis = 0; axis < 3; axis++)
                    for (int side = 0; side < 2; side++) {
                        int n[3] = {x, y, z};
                        n[axis] += side ? 1 : -1;
                        const int neighbour = space.get(n[0], n[1], n[2]);
                        // Beyond the grid reads as outside (2): nothing there hides the face.
                        const bool beyond = n[axis] < 0 || n[axis] >= (axis == 0   ? space.getSizeX()
                                                                       : axis == 1 ? space.getSizeY()
                                                                                   : space.getSizeZ());
                        if (beyond || neighbour == CELL_EMPTY) mesh.face(c, axis, side, value);
                    }
            }
    return mesh;
}

// Appends a block of the buffer as a view and an accessor over it; returns the accessor.
template <class T>
int AddBlock(tinygltf::Model& model, const std::vector<T>& values, int components, int componentType, int target)
{
    tinygltf::Buffer& buffer = model.buffers[0];
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.data.size();
    view.byteLength = values.size() * sizeof(T);
    view.target = target;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    buffer.data.insert(buffer.data.end(), bytes, bytes + view.byteLength);
    model.bufferViews.push_back(view);

    tinygltf::Accessor accessor;
    accessor.bufferView = int(model.bufferViews.size() - 1);
    accessor.componentType = componentType;
    accessor.count = values.size() / std::size_t(components);
    accessor.type = components == 1 ? TINYGLTF_TYPE_SCALAR : TINYGLTF_TYPE_VEC3;
    model.accessors.push_back(accessor);
    return int(model.accessors.size() - 1);
}
}  // namespace

bool isGltfName(const std::string& name)
{
    if (name.size() < 4) return false;
    const std::string ending = name.substr(name.size() - 4);
    return ending == ".glb" || ending == ".GLB";
}

bool writeGltf(CByteStream& out, const CSpace& space, std::string* error)
{
    const SMesh mesh = VisibleFaces(space);
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "3D-Tessera";
    tinygltf::Scene scene;
    scene.name = "space";  // an unnamed empty scene would be written as null
    if (!mesh.indices.empty()) {
        model.buffers.resize(1);
        tinygltf::Primitive primitive;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        const int position =
            AddBlock(model, mesh.positions, 3, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TARGET_ARRAY_BUFFER);
        model.accessors[std::size_t(position)].minValues.assign(mesh.lo, mesh.lo + 3);
        model.accessors[std::size_t(position)].maxValues.assign(mesh.hi, mesh.hi + 3);
        primitive.attributes["POSITION"] = position;
        primitive.attributes["NORMAL"] =
            AddBlock(model, mesh.normals, 3, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TARGET_ARRAY_BUFFER);
        primitive.attributes["COLOR_0"] =
            AddBlock(model, mesh.colours, 3, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TARGET_ARRAY_BUFFER);
        primitive.indices = AddBlock(model, mesh.indices, 1, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                                     TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        primitive.material = 0;

        tinygltf::Material material;
        material.name = "cells";
        material.pbrMetallicRoughness.baseColorFactor = {1, 1, 1, 1};
        material.pbrMetallicRoughness.metallicFactor = 0;
        material.pbrMetallicRoughness.roughnessFactor = 1;
        material.extensions["KHR_materials_unlit"] = tinygltf::Value(tinygltf::Value::Object());
        model.materials.push_back(material);
        model.extensionsUsed.push_back("KHR_materials_unlit");

        tinygltf::Mesh cells;
        cells.name = "space";
        cells.primitives.push_back(primitive);
        model.meshes.push_back(cells);
        tinygltf::Node node;
        node.mesh = 0;
        node.name = "space";
        model.nodes.push_back(node);
        scene.nodes.push_back(0);
    }
    model.scenes.push_back(scene);
    model.defaultScene = 0;

    std::ostringstream bytes;
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, bytes, false, true)) {
        if (error) *error = "the glTF container could not be made";
        return false;
    }
    const std::string data = bytes.str();
    if (data.size() > std::size_t(std::numeric_limits<int>::max()) || !out.write(data.data(), int(data.size()))) {
        if (error) *error = "the file could not be written";
        return false;
    }
    return true;
}
