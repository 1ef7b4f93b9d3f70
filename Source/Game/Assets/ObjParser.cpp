#include "Assets/ObjParser.h"

#include "Assets/FastNumber.h"
#include "Support/Exception.h"

#include <utility>

namespace {

// Blanks, carriage returns and line feeds; tabs are ordinary characters.
bool IsLineBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view line)
{
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && IsLineBlank(line[begin]))
        ++begin;
    while (end > begin && IsLineBlank(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

// The loader's errors about one line carry the trimmed line as detail.
Exception LineError(const char* message, std::string_view line)
{
    Exception e;
    e << tag_error_message(message) << tag_error_detail(std::string(line));
    return e;
}

struct CornerParts
{
    std::string_view part[3];
};

// Splits at every "/"; false unless there are exactly three parts.
bool SplitCorner(std::string_view token, CornerParts& parts)
{
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '/')
            continue;
        if (count == 2)
            return false;
        parts.part[count++] = token.substr(start, i - start);
        start = i + 1;
    }
    if (count != 2)
        return false;
    parts.part[2] = token.substr(start);
    return true;
}

bool AllPositive(const ObjCorner& corner)
{
    return corner.position > 0 && corner.texCoord > 0 && corner.normal > 0;
}

} // namespace

ObjParser::ObjParser(MaterialSource& materials, std::ostream& out, std::ostream& err)
    : materials(materials)
    , out(out)
    , err(err)
{
}

ObjMesh ObjParser::Parse(std::string_view text)
{
    mesh = ObjMesh();
    forwardReferences.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && !(fastPaths && TryFastLine(line)))
            ParseLine(line);
    }
    CheckForwardReferences();

    Submesh terminating;
    terminating.firstTriangle = mesh.TriangleCount();
    mesh.submeshes.push_back(terminating);
    return std::move(mesh);
}

ObjParser::Tokens ObjParser::Split(std::string_view line)
{
    // Adjacent blanks are not merged: they give empty tokens. The last token
    // kept holds the rest of the line; no line kind looks at it. Lines are
    // short, so a plain loop beats a library search per token.
    Tokens tokens;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size() && tokens.count + 1 < maxTokens; ++i) {
        if (line[i] == ' ') {
            tokens.item[tokens.count++] = line.substr(start, i - start);
            start = i + 1;
        }
    }
    tokens.item[tokens.count++] = line.substr(start);
    return tokens;
}

bool ObjParser::TryFastLine(std::string_view line)
{
    // Well-formed vertex and face lines, the bulk of a model, are read in one
    // scan. Whatever these paths decline goes through ParseLine, which gives
    // the same result for every line they accept.
    if (line.size() < 2)
        return false;
    if (line[0] == 'f' && line[1] == ' ')
        return TryFastFace(line);
    if (line[0] != 'v')
        return false;
    if (line[1] == ' ')
        return TryFastFloats(line.substr(2), 3, mesh.positions);
    if (line.size() < 3 || line[2] != ' ')
        return false;
    if (line[1] == 't')
        return TryFastFloats(line.substr(3), 2, mesh.texCoords);
    if (line[1] == 'n')
        return TryFastFloats(line.substr(3), 3, mesh.normals);
    return false;
}

bool ObjParser::TryFastFloats(std::string_view numbers, std::size_t width, std::vector<float>& list)
{
    float values[3];
    std::size_t at = 0;
    for (std::size_t k = 0; k < width; ++k) {
        const std::size_t length = FastNumber::ReadPlainFloat(numbers.substr(at), values[k]);
        at += length;
        const bool last = k + 1 == width;
        if (length == 0 || (at < numbers.size() ? numbers[at] != ' ' : !last))
            return false;
        ++at;
    }
    list.insert(list.end(), values, values + width);
    return true;
}

bool ObjParser::TryFastFace(std::string_view line)
{
    // "f" and three or four corners of three positive indices of at most nine digits.
    ObjCorner corner[4];
    std::size_t count = 0;
    std::size_t at = 1;
    while (at < line.size()) {
        if (line[at] != ' ' || count == 4)
            return false;
        ++at;
        int* fields[3] = {&corner[count].position, &corner[count].texCoord, &corner[count].normal};
        for (int k = 0; k < 3; ++k) {
            if (k > 0 && (at >= line.size() || line[at++] != '/'))
                return false;
            const std::size_t start = at;
            int value = 0;
            while (at < line.size() && line[at] >= '0' && line[at] <= '9' && at - start < 9)
                value = value * 10 + (line[at++] - '0');
            if (value == 0)
                return false;
            *fields[k] = value;
        }
        ++count;
    }
    if (count < 3)
        return false;
    AddTriangle(corner[0], corner[1], corner[2], line);
    if (count == 4)
        AddTriangle(corner[2], corner[3], corner[0], line);
    return true;
}

void ObjParser::ParseLine(std::string_view line)
{
    const Tokens tokens = Split(line);
    const std::string_view kind = tokens.item[0];
    if (kind == "v") {
        ParseFloats(tokens, line, 3, mesh.positions);
    } else if (kind == "vt") {
        ParseFloats(tokens, line, 2, mesh.texCoords);
    } else if (kind == "vn") {
        ParseFloats(tokens, line, 3, mesh.normals);
    } else if (kind == "f") {
        ParseFace(tokens, line);
    } else if (kind == "#" || kind == "s") {
        return;
    } else if (kind == "o") {
        ParseObject(line);
    } else if ((kind == "mtllib" || kind == "usemtl") && tokens.count >= 2) {
        const std::string name(tokens.item[1]);
        if (kind == "mtllib") {
            materials.LoadLibrary(name);
        } else {
            Submesh run;
            run.firstTriangle = mesh.TriangleCount();
            run.material = materials.GetMaterial(name);
            mesh.submeshes.push_back(run);
        }
    } else {
        // Unknown kinds, and "mtllib" or "usemtl" without a name.
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 237);
    }
}

void ObjParser::ParseObject(std::string_view line)
{
    ++mesh.objectCount;
    if (mesh.objectCount == 1) {
        // The name starts at the third character; a bare "o" has an empty one.
        out << "Lade Objekt " << (line.size() > 2 ? line.substr(2) : std::string_view()) << std::endl;
    } else {
        err << "WARNUNG: Datei enth\xE4lt mehr als ein Objekt. Dies wird NICHT unterst\xFCtzt!!" << std::endl;
    }
}

void ObjParser::ParseFloats(const Tokens& tokens, std::string_view line, std::size_t width,
                            std::vector<float>& list)
{
    if (tokens.count < width + 1)
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 237);
    for (std::size_t k = 1; k <= width; ++k)
        list.push_back(FastNumber::ToFloat(tokens.item[k]));
}

void ObjParser::ParseFace(const Tokens& tokens, std::string_view line)
{
    if (tokens.count < 4)
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 237);
    const ObjCorner first = ParseCorner(tokens.item[1], line);
    const ObjCorner second = ParseCorner(tokens.item[2], line);
    const ObjCorner third = ParseCorner(tokens.item[3], line);
    // Signs are checked only once all three corners are split, so a badly split
    // corner after a zero index still reports the split.
    if (!AllPositive(first) || !AllPositive(second) || !AllPositive(third))
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 186);
    AddTriangle(first, second, third, line);
    // Exactly four corners make a quad; more than four yield the first triangle only.
    if (tokens.count == 5)
        AddTriangle(third, ParseQuadCorner(tokens.item[4], line), first, line);
}

ObjCorner ObjParser::ParseCorner(std::string_view token, std::string_view line)
{
    CornerParts parts;
    if (!SplitCorner(token, parts))
        MIRAGE_THROW(LineError("face values are not corrects!", line), "StaticModel.cpp", 175);
    ObjCorner corner;
    if (!FastNumber::TryInt(parts.part[0], corner.position) || !FastNumber::TryInt(parts.part[1], corner.texCoord)
        || !FastNumber::TryInt(parts.part[2], corner.normal))
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 186);
    return corner;
}

ObjCorner ObjParser::ParseQuadCorner(std::string_view token, std::string_view line)
{
    CornerParts parts;
    if (!SplitCorner(token, parts))
        MIRAGE_THROW(LineError("face values are not corrects!", line), "StaticModel.cpp", 175);
    // Here a part that is no number fails with the conversion's own error.
    ObjCorner corner;
    corner.position = FastNumber::ToInt(parts.part[0]);
    corner.texCoord = FastNumber::ToInt(parts.part[1]);
    corner.normal = FastNumber::ToInt(parts.part[2]);
    if (!AllPositive(corner))
        MIRAGE_THROW(LineError("line could not be parsed", line), "StaticModel.cpp", 186);
    return corner;
}

void ObjParser::AddTriangle(const ObjCorner& a, const ObjCorner& b, const ObjCorner& c, std::string_view line)
{
    // A face may name entries written further down; those are checked at the end.
    if (!WithinLists(a) || !WithinLists(b) || !WithinLists(c))
        forwardReferences.push_back({static_cast<std::size_t>(mesh.TriangleCount()), line});
    mesh.corners.push_back(a);
    mesh.corners.push_back(b);
    mesh.corners.push_back(c);
}

bool ObjParser::WithinLists(const ObjCorner& corner) const
{
    return static_cast<std::size_t>(corner.position) <= mesh.positions.size() / 3
        && static_cast<std::size_t>(corner.texCoord) <= mesh.texCoords.size() / 2
        && static_cast<std::size_t>(corner.normal) <= mesh.normals.size() / 3;
}

void ObjParser::CheckForwardReferences() const
{
    for (const ForwardReference& reference : forwardReferences) {
        const ObjCorner* corner = &mesh.corners[3 * reference.triangle];
        if (!WithinLists(corner[0]) || !WithinLists(corner[1]) || !WithinLists(corner[2]))
            MIRAGE_THROW(LineError("line could not be parsed", reference.line), "StaticModel.cpp", 186);
    }
}
