#pragma once

#include "Assets/Material.h"
#include "Assets/ObjMesh.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

/// Reads the OBJ subset of the game's meshes from text in memory. It touches
/// neither files nor GL itself: materials come through a MaterialSource and the
/// progress lines go to the streams given.
class ObjParser
{
public:
    /// Answers the "mtllib" and "usemtl" lines, in file order.
    class MaterialSource
    {
    public:
        virtual void LoadLibrary(const std::string& file) = 0;
        virtual Material GetMaterial(const std::string& name) = 0;

    protected:
        ~MaterialSource() = default;
    };

    /// `out` gets the object line, `err` the warning about further objects.
    ObjParser(MaterialSource& materials, std::ostream& out, std::ostream& err);

    /// Parses a whole file's text and closes the submesh list with its
    /// terminating record. Throws the loader's errors (its message and line),
    /// bad_lexical_cast for numbers, and whatever the material source throws.
    ObjMesh Parse(std::string_view text);

    /// Well-formed vertex and face lines take a one-scan path by default;
    /// switched off, every line goes through the general reader, which gives
    /// the same result (for checking the one against the other).
    void UseFastPaths(bool use) { fastPaths = use; }

private:
    static constexpr std::size_t maxTokens = 6; // a face uses five; a sixth tells "more"

    struct Tokens
    {
        std::string_view item[maxTokens];
        std::size_t count = 0; // at most maxTokens
    };

    // A triangle that named an entry beyond its list when it was read.
    struct ForwardReference
    {
        std::size_t triangle;
        std::string_view line;
    };

    static Tokens Split(std::string_view line);
    bool TryFastLine(std::string_view line);
    static bool TryFastFloats(std::string_view numbers, std::size_t width, std::vector<float>& list);
    bool TryFastFace(std::string_view corners);
    void ParseLine(std::string_view line);
    void ParseObject(std::string_view line);
    void ParseFloats(const Tokens& tokens, std::string_view line, std::size_t width, std::vector<float>& list);
    void ParseFace(const Tokens& tokens, std::string_view line);
    ObjCorner ParseCorner(std::string_view token, std::string_view line);
    ObjCorner ParseQuadCorner(std::string_view token, std::string_view line);
    void AddTriangle(const ObjCorner& a, const ObjCorner& b, const ObjCorner& c, std::string_view line);
    bool WithinLists(const ObjCorner& corner) const;
    void CheckForwardReferences() const;

    MaterialSource& materials;
    std::ostream& out;
    std::ostream& err;
    bool fastPaths = true;
    ObjMesh mesh;                                  // being filled
    std::vector<ForwardReference> forwardReferences; // checked once the whole text is read
};
