// The glTF export read back by tinygltf's own loader: the faces kept, their colours, the bounds.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <cstring>

#include "formats/gltfwriter.h"
#include "formats/memorystream.h"
#include "support/spacetext.h"

namespace {
struct SRead {
    tinygltf::Model model;
    std::vector<float> positions, colours;
    std::size_t indices = 0;
};

std::vector<float> Floats(const tinygltf::Model& m, int accessor)
{
    const tinygltf::Accessor& a = m.accessors[std::size_t(accessor)];
    const tinygltf::BufferView& v = m.bufferViews[std::size_t(a.bufferView)];
    std::vector<float> out(a.count * 3);
    std::memcpy(out.data(), m.buffers[0].data.data() + v.byteOffset + a.byteOffset, out.size() * sizeof(float));
    return out;
}

SRead Export(const CSpace& space)
{
    CMemoryStream out({}, "space.glb");
    std::string error;
    EXPECT_TRUE(writeGltf(out, space, &error)) << error;
    SRead r;
    tinygltf::TinyGLTF loader;
    std::string warn;
    const std::string& bytes = out.contents();
    EXPECT_TRUE(loader.LoadBinaryFromMemory(&r.model, &error, &warn, reinterpret_cast<const unsigned char*>(bytes.data()),
                                            unsigned(bytes.size())))
        << error;
    if (r.model.meshes.empty()) return r;
    const tinygltf::Primitive& p = r.model.meshes[0].primitives[0];
    r.positions = Floats(r.model, p.attributes.at("POSITION"));
    r.colours = Floats(r.model, p.attributes.at("COLOR_0"));
    r.indices = r.model.accessors[std::size_t(p.indices)].count;
    return r;
}

float Srgb(float linear)
{
    const float c = linear <= 0.0031308f ? linear * 12.92f : 1.055f * std::pow(linear, 1 / 2.4f) - 0.055f;
    return std::round(c * 255);
}
}  // namespace

TEST(Gltf, OneQuadPerFaceThatTouchesNothing)
{
    struct Case {
        const char* what;
        CSpace space;
        std::size_t faces;
    };
    CSpace stack(1, 2, 1, 103);
    const Case cases[] = {
        {"one cell", flatSpace({"R"}), 6},
        {"two cells side by side", flatSpace({"RG"}), 10},
        {"two cells apart", flatSpace({"R.G"}), 12},
        {"a stack of two", stack, 10},
        {"a cell beside an outside cell (not empty)", flatSpace({"Ro"}), 10},
        {"a 3 x 3 square", flatSpace({"RRR", "RRR", "RRR"}), 9 * 2 + 12},
        {"nothing", CSpace(4, 4, 4, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SRead r = Export(c.space);
        EXPECT_EQ(r.positions.size(), c.faces * 4 * 3);
        EXPECT_EQ(r.indices, c.faces * 6);
        EXPECT_EQ(r.model.scenes.size(), 1u);
    }
}

TEST(Gltf, FacesAreShadedAsTheEditorShadesThem)
{
    // A single red cell: each face's shade of red by its direction; black is drawn 0.25 grey.
    const SRead r = Export(flatSpace({"R"}));
    std::map<std::string, float> shadeOfFace;  // "axis side" -> red byte
    for (std::size_t q = 0; q < r.positions.size() / 12; q++) {
        const float* p = &r.positions[q * 12];
        for (int axis = 0; axis < 3; axis++)
            if (p[axis] == p[3 + axis] && p[axis] == p[6 + axis] && p[axis] == p[9 + axis]) {
                shadeOfFace[std::to_string(axis) + (p[axis] > 0 ? "+" : "-")] = Srgb(r.colours[q * 12]);
                EXPECT_EQ(r.colours[q * 12 + 1], 0.0f);
            }
    }
    const std::map<std::string, float> expected = {{"0-", 128}, {"0+", 153}, {"1-", 51},
                                                   {"1+", 255}, {"2-", 102}, {"2+", 179}};
    EXPECT_EQ(shadeOfFace, expected);
    const SRead black = Export(flatSpace({"K"}));
    float brightest = 0;
    for (float c : black.colours) brightest = std::max(brightest, Srgb(c));
    EXPECT_EQ(brightest, 64);
}

TEST(Gltf, BoundsAndUnlitMaterial)
{
    CSpace s(5, 3, 4, 0);
    s.set(1, 2, 3, 100);
    s.set(4, 0, 0, 107);
    const SRead r = Export(s);
    const tinygltf::Accessor& position = r.model.accessors[std::size_t(r.model.meshes[0].primitives[0].attributes.at("POSITION"))];
    EXPECT_EQ(position.minValues, (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(position.maxValues, (std::vector<double>{5, 3, 4}));
    ASSERT_EQ(r.model.materials.size(), 1u);
    EXPECT_TRUE(r.model.materials[0].extensions.count("KHR_materials_unlit"));
    EXPECT_EQ(r.model.extensionsUsed, std::vector<std::string>{"KHR_materials_unlit"});
}
