// The scene walk: depth first from node 0, each node at most once, so that a hostile graph
// (cycles, deep chains) ends after as many visits as the file has nodes.
#include "formats/voxscene.h"

#include <cstdlib>
#include <set>
#include <sstream>
#include <utility>

SVoxTransform SVoxTransform::after(const SVoxTransform& inner) const
{
    SVoxTransform out;
    for (int i = 0; i < 3; i++) {
        out.t[i] = t[i];
        for (int j = 0; j < 3; j++) {
            out.r[i][j] = 0;
            for (int k = 0; k < 3; k++) out.r[i][j] += r[i][k] * inner.r[k][j];
            out.t[i] += r[i][j] * inner.t[j];
        }
    }
    return out;
}

bool decodeVoxRotation(int bits, int r[3][3])
{
    if (bits < 0 || bits > 127) return false;
    const int c0 = bits & 3, c1 = (bits >> 2) & 3;
    if (c0 > 2 || c1 > 2 || c0 == c1) return false;
    const int c2 = 3 - c0 - c1;
    const int columns[3] = {c0, c1, c2};
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) r[i][j] = 0;
        r[i][columns[i]] = (bits >> (4 + i)) & 1 ? -1 : 1;
    }
    return true;
}

bool parseVoxTranslation(const std::string& text, std::int64_t t[3])
{
    constexpr long long LIMIT = 1LL << 30;
    std::istringstream in(text);
    for (int i = 0; i < 3; i++) {
        long long v;
        if (!(in >> v) || v < -LIMIT || v > LIMIT) return false;
        t[i] = v;
    }
    std::string rest;
    return !(in >> rest);
}

bool placeVoxModels(const std::map<int, SVoxNode>& nodes, int modelCount, std::vector<SPlacedModel>& placed,
                    std::string& error)
{
    std::set<int> visited;
    std::vector<std::pair<int, SVoxTransform>> pending = {{0, SVoxTransform()}};
    while (!pending.empty()) {
        const auto [id, transform] = pending.back();
        pending.pop_back();
        const auto found = nodes.find(id);
        if (found == nodes.end()) {
            error = "the scene refers to node " + std::to_string(id) + ", which the file does not hold";
            return false;
        }
        if (!visited.insert(id).second) {
            error = "the scene reaches node " + std::to_string(id) + " twice";
            return false;
        }
        const SVoxNode& node = found->second;
        switch (node.kind) {
        case SVoxNode::TRANSFORM:
            for (int child : node.children) pending.push_back({child, transform.after(node.frame)});
            break;
        case SVoxNode::GROUP:
            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                pending.push_back({*child, transform});
            break;
        case SVoxNode::SHAPE:
            for (int model : node.children) {
                if (model < 0 || model >= modelCount) {
                    error = "the scene shows model " + std::to_string(model) + ", but the file holds " +
                            std::to_string(modelCount);
                    return false;
                }
                placed.push_back({model, transform});
            }
            break;
        }
    }
    return true;
}
