// A stylised ray-gun: a turned body (bulb, three cooling rings, barrel, flared muzzle)
// built as one surface of revolution, plus a slanted grip, a trigger and a fin, each a
// closed convex solid. World units are scaled to model units at the end.
#include "model.h"

#include <map>
#include <utility>

#include "detmath.h"

namespace {

struct vec3 {
    double x, y, z;
};

vec3 sub(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
vec3 cross(vec3 a, vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct builder {
    std::vector<vec3> points;
    std::vector<int32_t> faces;

    int add(vec3 p)
    {
        points.push_back(p);
        return int(points.size()) - 1;
    }
    void tri(int a, int b, int c)
    {
        faces.push_back(a);
        faces.push_back(b);
        faces.push_back(c);
    }
    // Triangle turned so its normal points away from `inside`.
    void tri_outward(int a, int b, int c, vec3 inside)
    {
        vec3 n = cross(sub(points[size_t(b)], points[size_t(a)]), sub(points[size_t(c)], points[size_t(a)]));
        if (dot(n, sub(points[size_t(a)], inside)) < 0) std::swap(b, c);
        tri(a, b, c);
    }
};

// Surface of revolution about the x axis through the stations (x, radius), closed by a
// fan at each end.
void lathe(builder& b, const double (*profile)[2], int stations, int sides)
{
    int first = int(b.points.size());
    for (int i = 0; i < stations; ++i)
        for (int j = 0; j < sides; ++j) {
            double a = 2.0 * det_pi * j / sides;
            b.add({profile[i][0], profile[i][1] * det_cos(a), profile[i][1] * det_sin(a)});
        }
    auto ring = [&](int i, int j) { return first + i * sides + (j % sides); };
    for (int i = 0; i + 1 < stations; ++i)
        for (int j = 0; j < sides; ++j) {
            // With the angle growing from +y toward +z, (A, B, D) and (B, C, D) face out.
            int a = ring(i, j), bb = ring(i, j + 1), c = ring(i + 1, j + 1), d = ring(i + 1, j);
            b.tri(a, bb, d);
            b.tri(bb, c, d);
        }
    int start = b.add({profile[0][0], 0, 0});
    int end = b.add({profile[stations - 1][0], 0, 0});
    for (int j = 0; j < sides; ++j) {
        b.tri(start, ring(0, j + 1), ring(0, j));
        b.tri(end, ring(stations - 1, j), ring(stations - 1, j + 1));
    }
}

// Convex solid of eight corners, corner k at bit 0 = +x side, bit 1 = +y, bit 2 = +z of
// an ideal box (the corners may be moved as long as the solid stays convex).
void hexahedron(builder& b, const vec3 corner[8])
{
    int first = int(b.points.size());
    vec3 centre = {0, 0, 0};
    for (int k = 0; k < 8; ++k) {
        b.add(corner[k]);
        centre = {centre.x + corner[k].x / 8, centre.y + corner[k].y / 8, centre.z + corner[k].z / 8};
    }
    static const int quads[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                    {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    for (const auto& q : quads) {
        b.tri_outward(first + q[0], first + q[1], first + q[2], centre);
        b.tri_outward(first + q[0], first + q[2], first + q[3], centre);
    }
}

int32_t to_model_units(double v)
{
    double s = v * 65536.0;
    return int32_t(s < 0 ? s - 0.5 : s + 0.5);
}

} // namespace

mesh forge_gun()
{
    // Body profile along the barrel axis (x forward), radius in world units.
    static const double body[][2] = {
        {-1.45, 0.14}, {-1.40, 0.30}, {-1.25, 0.42}, {-1.00, 0.47}, {-0.70, 0.45},
        {-0.45, 0.34}, {-0.32, 0.22}, {-0.28, 0.31}, {-0.18, 0.31}, {-0.14, 0.19},
        {0.02, 0.19},  {0.06, 0.28},  {0.15, 0.28},  {0.19, 0.17},  {0.36, 0.17},
        {0.40, 0.25},  {0.48, 0.25},  {0.52, 0.15},  {1.15, 0.15},  {1.28, 0.25},
        {1.45, 0.33},
    };
    builder b;
    lathe(b, body, int(sizeof body / sizeof body[0]), 10);

    // Grip, raked backwards.
    const vec3 grip[8] = {
        {-1.05, -1.35, -0.15}, {-0.70, -1.35, -0.15}, {-0.95, -0.25, -0.14}, {-0.55, -0.25, -0.14},
        {-1.05, -1.35, 0.15},  {-0.70, -1.35, 0.15},  {-0.95, -0.25, 0.14},  {-0.55, -0.25, 0.14},
    };
    hexahedron(b, grip);
    // Trigger in front of the grip.
    const vec3 trigger[8] = {
        {-0.50, -0.62, -0.05}, {-0.40, -0.60, -0.05}, {-0.46, -0.30, -0.05}, {-0.30, -0.30, -0.05},
        {-0.50, -0.62, 0.05},  {-0.40, -0.60, 0.05},  {-0.46, -0.30, 0.05},  {-0.30, -0.30, 0.05},
    };
    hexahedron(b, trigger);
    // Fin on top of the bulb, swept back.
    const vec3 fin[8] = {
        {-1.15, 0.30, -0.05}, {-0.45, 0.25, -0.05}, {-1.20, 0.85, -0.03}, {-0.90, 0.85, -0.03},
        {-1.15, 0.30, 0.05},  {-0.45, 0.25, 0.05},  {-1.20, 0.85, 0.03},  {-0.90, 0.85, 0.03},
    };
    hexahedron(b, fin);

    mesh m;
    for (const vec3& p : b.points) {
        m.vertices.push_back(to_model_units(p.x));
        m.vertices.push_back(to_model_units(p.y));
        m.vertices.push_back(to_model_units(p.z));
    }
    m.faces = b.faces;
    return m;
}

static void put_be32(std::vector<uint8_t>& out, int32_t v)
{
    uint32_t u = uint32_t(v);
    out.push_back(uint8_t(u >> 24));
    out.push_back(uint8_t(u >> 16));
    out.push_back(uint8_t(u >> 8));
    out.push_back(uint8_t(u));
}

std::vector<uint8_t> model_file_bytes(const mesh& m)
{
    std::vector<uint8_t> out;
    put_be32(out, m.vertex_count());
    for (int32_t v : m.vertices) put_be32(out, v);
    put_be32(out, m.face_count());
    for (int32_t f : m.faces) put_be32(out, f);
    return out;
}

bool parse_model_file(const std::vector<uint8_t>& bytes, mesh* out)
{
    size_t pos = 0;
    auto get = [&](int32_t* v) {
        if (pos + 4 > bytes.size()) return false;
        *v = int32_t(uint32_t(bytes[pos]) << 24 | uint32_t(bytes[pos + 1]) << 16 |
                     uint32_t(bytes[pos + 2]) << 8 | uint32_t(bytes[pos + 3]));
        pos += 4;
        return true;
    };
    int32_t count = 0;
    if (!get(&count) || count < 0 || size_t(count) > bytes.size() / 12) return false;
    out->vertices.assign(size_t(count) * 3, 0);
    for (int32_t& v : out->vertices)
        if (!get(&v)) return false;
    if (!get(&count) || count < 0 || size_t(count) > bytes.size() / 12) return false;
    out->faces.assign(size_t(count) * 3, 0);
    for (int32_t& f : out->faces)
        if (!get(&f)) return false;
    return pos == bytes.size();
}

std::string model_problem(const mesh& m)
{
    int v = m.vertex_count(), f = m.face_count();
    if (v + f > model_max_items) return "more than 832 vertices and triangles together";
    for (int32_t c : m.vertices)
        if (c < -model_max_coord || c > model_max_coord) return "coordinate out of range";
    std::map<std::pair<int32_t, int32_t>, int> directed;
    for (int t = 0; t < f; ++t) {
        const int32_t* tri = &m.faces[size_t(t) * 3];
        for (int k = 0; k < 3; ++k)
            if (tri[k] < 0 || tri[k] >= v) return "vertex index out of range";
        if (tri[0] == tri[1] || tri[1] == tri[2] || tri[2] == tri[0]) return "degenerate triangle";
        for (int k = 0; k < 3; ++k) ++directed[{tri[k], tri[(k + 1) % 3]}];
    }
    for (const auto& e : directed) {
        if (e.second != 1) return "edge used twice in the same direction";
        auto back = directed.find({e.first.second, e.first.first});
        if (back == directed.end()) return "open edge (no opposite triangle)";
    }
    return "";
}
