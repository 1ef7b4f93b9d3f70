#include "Assets/ObjParser.h"

#include "Support/Exception.h"

#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

class NoMaterials : public ObjParser::MaterialSource
{
public:
    void LoadLibrary(const std::string&) override {}
    Material GetMaterial(const std::string&) override { return Material(); }
};

// The lists the parse produced, or the failure it ended with.
std::string Outcome(const std::string& text, bool fastPaths)
{
    NoMaterials materials;
    std::ostringstream out, err;
    ObjParser parser(materials, out, err);
    parser.UseFastPaths(fastPaths);
    std::ostringstream result;
    try {
        const ObjMesh mesh = parser.Parse(text);
        for (const auto* list : {&mesh.positions, &mesh.texCoords, &mesh.normals}) {
            for (float value : *list)
                result << value << ' ';
            result << '|';
        }
        for (const ObjCorner& corner : mesh.corners)
            result << corner.position << '/' << corner.texCoord << '/' << corner.normal << ' ';
    } catch (const Exception& e) {
        result << "error " << *boost::get_error_info<tag_error_message>(e) << " in "
               << *boost::get_error_info<tag_error_detail>(e) << " at " << *boost::get_error_info<boost::throw_line>(e);
    } catch (const boost::bad_lexical_cast&) {
        result << "bad_lexical_cast";
    }
    return result.str();
}

std::string RandomLine(std::mt19937& random)
{
    const auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const char* const numbers[] = {"1", "-2.5", "0.000001", "+1", "1e5", ".5", "5.", "inf", "nan", "1e", "",
                                   "x", "1\t", "007.25", "-0", "3.4028236e38", "1e39", "12.345678", "-.5e-3"};
    const char* const corners[] = {"1/1/1", "2/3/4", "4/4/4", "0/1/1", "1/1", "1//1", "5/1/1", "01/1/1", "+1/1/1",
                                   "1/1/1/1", "1234567890/1/1", "-1/1/1", "", "1/a/1", "000000001/2/3", "2/2/5",
                                   "3/3/3"};
    const char* const kinds[] = {"v", "vt", "vn", "f", "f", "f"};
    const char* kind = kinds[pick(6)];
    std::string line = kind;
    const bool face = line == "f";
    const std::size_t tokens = face ? pick(7) : pick(6);
    for (std::size_t k = 0; k < tokens; ++k)
        line += std::string(" ") + (face ? corners[pick(2) ? pick(3) : pick(17)] : numbers[pick(2) ? pick(3) : pick(19)]);
    return line;
}

} // namespace

TEST(ObjParser, FastPathsReadEveryLineAsTheGeneralReaderDoes)
{
    const std::string head = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 1\nvt 0 0\nvt 1 1\nvt 0 1\nvt 1 0\n"
                             "vn 0 0 1\nvn 0 1 0\nvn 1 0 0\nvn 1 1 1\n";
    std::mt19937 random(2024);
    int loaded = 0;
    for (int i = 0; i < 6000; ++i) {
        const std::string line = RandomLine(random);
        const std::string text = head + line + "\nf 1/1/1 2/2/2 3/3/3\n";
        const std::string general = Outcome(text, false);
        ASSERT_EQ(general, Outcome(text, true)) << "line \"" << line << "\"";
        loaded += general.compare(0, 5, "error") != 0 && general != "bad_lexical_cast";
    }
    EXPECT_GT(loaded, 1000);
    EXPECT_LT(loaded, 5000);
}

TEST(ObjParser, ForwardReferencePastTheEndIsReportedWithItsLine)
{
    const std::string text = "f 1/1/1 2/1/1 3/1/1\nf 1/1/1 2/1/1 4/1/1 3/1/1\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n"
                             "vn 0 0 1\n";
    for (bool fast : {false, true})
        EXPECT_EQ("error line could not be parsed in f 1/1/1 2/1/1 4/1/1 3/1/1 at 186", Outcome(text, fast));
}
