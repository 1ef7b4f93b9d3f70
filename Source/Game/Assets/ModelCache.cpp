#include "Assets/ModelCache.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

// The file stores the arrays as they lie in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the model cache is little-endian");
static_assert(sizeof(float) == 4 && sizeof(unsigned) == 4 && sizeof(int) == 4, "the model cache has 32-bit fields");

namespace {

// Where the decoder's bytes come from; knows how many are left.
class ByteSource
{
public:
    explicit ByteSource(std::uint64_t size) : remaining(size) {}
    virtual ~ByteSource() = default;

    std::uint64_t Remaining() const { return remaining; }

    // False (and nothing more to read) when fewer than `bytes` are left.
    bool Read(void* to, std::size_t bytes)
    {
        if (bytes > remaining || !Fetch(to, bytes)) {
            remaining = 0;
            return false;
        }
        remaining -= bytes;
        return true;
    }

private:
    virtual bool Fetch(void* to, std::size_t bytes) = 0;

    std::uint64_t remaining;
};

class MemorySource : public ByteSource
{
public:
    MemorySource(const char* data, std::size_t size) : ByteSource(size), next(data) {}

private:
    bool Fetch(void* to, std::size_t bytes) override
    {
        if (bytes > 0)
            std::memcpy(to, next, bytes);
        next += bytes;
        return true;
    }

    const char* next;
};

class FileSource : public ByteSource
{
public:
    FileSource(std::istream& in, std::uint64_t size) : ByteSource(size), in(in) {}

private:
    bool Fetch(void* to, std::size_t bytes) override
    {
        return in.read(static_cast<char*>(to), static_cast<std::streamsize>(bytes)).good();
    }

    std::istream& in;
};

bool ReadCount(ByteSource& in, std::uint32_t& count)
{
    return in.Read(&count, sizeof count);
}

// Sizes `array` only after checking that the bytes it needs are there.
template <typename Element>
bool ReadArray(ByteSource& in, MeshArray<Element>& array)
{
    std::uint32_t count = 0;
    if (!ReadCount(in, count) || count > in.Remaining() / sizeof(Element))
        return false;
    array.resize(count);
    return in.Read(array.data(), count * sizeof(Element));
}

// 9 position floats, 9 normal floats, 6 texture floats and 3 indices per triangle,
// and every index within the arrays.
bool ArraysAgree(const MeshArrays& mesh)
{
    const std::size_t floats = mesh.positions.size();
    if (floats % 9 != 0 || mesh.normals.size() != floats || mesh.texCoords.size() != floats / 9 * 6
        || mesh.indices.size() != floats / 3)
        return false;
    const std::size_t corners = mesh.indices.size();
    for (unsigned index : mesh.indices) {
        if (index >= corners)
            return false;
    }
    return true;
}

// Runs start in order within the triangles; the texture path ends at a zero byte.
bool ReadRecords(ByteSource& in, std::uint32_t triangles, std::vector<Submesh>& submeshes)
{
    std::uint32_t count = 0;
    const std::uint64_t smallestRecord = 8;
    if (!ReadCount(in, count) || count == 0 || count > in.Remaining() / smallestRecord)
        return false;
    submeshes.resize(count);
    std::int64_t previous = 0;
    for (Submesh& record : submeshes) {
        std::int32_t first = 0;
        std::uint32_t length = 0;
        if (!in.Read(&first, sizeof first) || !ReadCount(in, length) || length > in.Remaining())
            return false;
        if (first < previous || static_cast<std::int64_t>(first) > triangles)
            return false;
        previous = first;
        record.firstTriangle = first;
        std::string path(length, '\0');
        if (!in.Read(&path[0], length))
            return false;
        record.material.textureName = path.substr(0, path.find('\0'));
    }
    return true;
}

bool DecodeFrom(ByteSource& in, MeshArrays& mesh)
{
    if (!ReadArray(in, mesh.positions) || !ReadArray(in, mesh.normals) || !ReadArray(in, mesh.texCoords)
        || !ReadArray(in, mesh.indices) || !ArraysAgree(mesh))
        return false;
    const auto triangles = static_cast<std::uint32_t>(mesh.indices.size() / 3);
    return ReadRecords(in, triangles, mesh.submeshes) && in.Remaining() == 0;
}

void WriteCount(std::ostream& out, std::size_t count)
{
    const auto value = static_cast<std::uint32_t>(count);
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename Element>
void WriteArray(std::ostream& out, const MeshArray<Element>& array)
{
    WriteCount(out, array.size());
    out.write(reinterpret_cast<const char*>(array.data()), static_cast<std::streamsize>(array.size() * sizeof(Element)));
}

} // namespace

bool ModelCache::Save(const std::string& file, const MeshArrays& mesh)
{
    // A name of this process's own: two games started at once on an empty
    // cache must not write, or rename away, each other's half-written file.
    const std::string temporary = file + ".tmp." + std::to_string(::getpid());
    std::ofstream out(temporary.c_str(), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    Write(out, mesh);
    out.close();
    if (!out || std::rename(temporary.c_str(), file.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void ModelCache::Write(std::ostream& out, const MeshArrays& mesh)
{
    WriteArray(out, mesh.positions);
    WriteArray(out, mesh.normals);
    WriteArray(out, mesh.texCoords);
    WriteArray(out, mesh.indices);
    WriteCount(out, mesh.submeshes.size());
    for (const Submesh& record : mesh.submeshes) {
        const std::int32_t first = record.firstTriangle;
        out.write(reinterpret_cast<const char*>(&first), sizeof first);
        WriteCount(out, record.material.textureName.size());
        out.write(record.material.textureName.data(), static_cast<std::streamsize>(record.material.textureName.size()));
    }
}

bool ModelCache::Read(const std::string& file, MeshArrays& mesh)
{
    std::ifstream in(file.c_str(), std::ios::binary);
    if (!in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || !in.seekg(0, std::ios::beg))
        return false;
    FileSource source(in, static_cast<std::uint64_t>(size));
    return DecodeFrom(source, mesh);
}

bool ModelCache::Decode(const char* data, std::size_t size, MeshArrays& mesh)
{
    MemorySource source(data, size);
    return DecodeFrom(source, mesh);
}
