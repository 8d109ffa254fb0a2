// The scene graph of a MagicaVoxel file (transform, group and shape nodes) and where it puts
// each model: a model's voxel v lands at R (v - size / 2) + t, with R and t the product of the
// transforms from the root down (size / 2 rounded down on each axis).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SVoxTransform {
    int r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // a signed permutation
    std::int64_t t[3] = {0, 0, 0};

    // This transform applied after `inner`.
    SVoxTransform after(const SVoxTransform& inner) const;
};

struct SVoxNode {
    enum EKind { TRANSFORM, GROUP, SHAPE } kind = GROUP;
    SVoxTransform frame;        // TRANSFORM: its first frame
    std::vector<int> children;  // TRANSFORM: one child; GROUP: any; SHAPE: the model indices
};

struct SPlacedModel {
    int model;
    SVoxTransform transform;
};

// Decodes a frame's rotation byte ("_r"): bits 0-1 and 2-3 the columns of the non-zero entries
// of rows 0 and 1, bits 4-6 the signs of rows 0-2. False for a byte that is not a rotation.
bool decodeVoxRotation(int bits, int r[3][3]);
// Reads a frame's translation ("_t", three integers); false when it is not three integers of
// at most 2^30 in size.
bool parseVoxTranslation(const std::string& text, std::int64_t t[3]);

// Walks the scene from node 0 and lists each shape's models with their transforms. False, with
// the reason, when a node is missing, a model index is out of range, or a node is reached twice
// (a cycle or a shared subtree).
bool placeVoxModels(const std::map<int, SVoxNode>& nodes, int modelCount, std::vector<SPlacedModel>& placed,
                    std::string& error);
