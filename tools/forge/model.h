// The ray-gun model of the model scene and the checks of the model file format:
// big-endian int32 V, V vertices (x, y, z in model units, 65536 to a world unit), F, F
// triangles of 0-based vertex indices, wound counter-clockwise seen from outside.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct mesh {
    std::vector<int32_t> vertices;   // x, y, z per vertex
    std::vector<int32_t> faces;      // i0, i1, i2 per triangle
    int vertex_count() const { return int(vertices.size() / 3); }
    int face_count() const { return int(faces.size() / 3); }
};

constexpr int model_max_items = 832;         // V + F that fit the 10000 bytes the demo reads
constexpr int32_t model_max_coord = 524287;  // keeps every 4.12 matrix product in 32 bits

mesh forge_gun();
std::vector<uint8_t> model_file_bytes(const mesh& m);

// Reads a model file back; false when it is cut short or its counts are negative.
bool parse_model_file(const std::vector<uint8_t>& bytes, mesh* out);

// Empty when the model is usable by the demo; otherwise the first problem found: counts
// over the limit, an index outside the vertices, a coordinate out of range, a degenerate
// triangle, or an edge not shared by exactly two triangles running opposite ways (the
// silhouette would have holes).
std::string model_problem(const mesh& m);
