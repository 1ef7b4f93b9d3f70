#include "Support/ConfigFile.h"
#include "Support/TestSupport.h"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

#include <algorithm>

using TestSupport::TempDir;

namespace {

ConfigFile Read(const TempDir& dir, const std::string& text)
{
    TestSupport::WriteFile(dir / "Config.cfg", text);
    return ConfigFile(dir / "Config.cfg");
}

template <typename Tag>
std::string Info(const Exception& e)
{
    const auto* value = boost::get_error_info<Tag>(e);
    return value ? *value : std::string("<absent>");
}

} // namespace

TEST(ConfigFile, BlanksAreRemovedEverywhereAndCommentsSkipped)
{
    TempDir dir;
    ConfigFile config = Read(dir, "\n   \n  # comment = x = y\nStart Level = 2\r\n#x\n");
    EXPECT_EQ(2, config.GetValue<int>("StartLevel"));
}

TEST(ConfigFile, CrLfAndMissingLastLineEnd)
{
    TempDir dir;
    EXPECT_EQ(7, Read(dir, "A=1\r\nStartLevel=7").GetValue<int>("StartLevel"));
}

TEST(ConfigFile, LastDuplicateWinsAndSignsConvert)
{
    TempDir dir;
    ConfigFile config = Read(dir, "StartLevel=1\nStartLevel=-1\nPlus=+4\n");
    EXPECT_EQ(-1, config.GetValue<int>("StartLevel"));
    EXPECT_EQ(4, config.GetValue<int>("Plus"));
}

TEST(ConfigFile, TrailingCommentAndEmptyValueFailConversion)
{
    TempDir dir;
    ConfigFile config = Read(dir, "StartLevel=2 # first level\nEmpty=\n=under empty key\n");
    EXPECT_THROW(config.GetValue<int>("StartLevel"), boost::bad_lexical_cast);
    EXPECT_THROW(config.GetValue<int>("Empty"), boost::bad_lexical_cast);
    EXPECT_EQ("underemptykey", config.GetValue<std::string>(""));
}

TEST(ConfigFile, TabInKeyMakesADifferentKeyAndKeysAreCaseSensitive)
{
    TempDir dir;
    ConfigFile config = Read(dir, "StartLevel\t=3\nstartlevel=4\n");
    try {
        config.GetValue<int>("StartLevel");
        FAIL() << "expected Value not found";
    } catch (const Exception& e) {
        EXPECT_EQ("Value not found", Info<tag_error_message>(e));
        EXPECT_EQ("StartLevel", Info<tag_error_detail>(e));
        EXPECT_EQ(31, *boost::get_error_info<boost::throw_line>(e));
        const std::string function = *boost::get_error_info<boost::throw_function>(e);
        EXPECT_NE(std::string::npos, function.find("ConfigFile::GetValue")) << function;
    }
    EXPECT_EQ(3, config.GetValue<int>("StartLevel\t"));
}

TEST(ConfigFile, LinesWithoutOrWithTwoSeparatorsFailWithTheCleanedLine)
{
    for (const std::string bad : {"Start Level 2\n", "a=b=c\n"}) {
        TempDir dir;
        try {
            Read(dir, "Ok=1\n" + bad);
            FAIL() << "expected a parse failure for " << bad;
        } catch (const Exception& e) {
            EXPECT_EQ("Could not parse ConfigFile Line", Info<tag_error_message>(e));
            std::string cleaned = bad.substr(0, bad.size() - 1);
            cleaned.erase(std::remove(cleaned.begin(), cleaned.end(), ' '), cleaned.end());
            EXPECT_EQ(cleaned, Info<tag_error_detail>(e));
            EXPECT_EQ(35, *boost::get_error_info<boost::throw_line>(e));
            EXPECT_NE(nullptr, boost::get_error_info<tag_error_file>(e));
        }
    }
}

TEST(ConfigFile, MissingFileReportNamesSiteAndFullPath)
{
    TempDir dir;
    TestSupport::ScopedCwd cwd(dir.Path());
    try {
        ConfigFile config("Config.cfg");
        FAIL() << "expected ConfigFile not found";
    } catch (const Exception& e) {
        const std::string report = DiagnosticReport(e);
        EXPECT_EQ(0u, report.find("ConfigFile.cpp(16): Throw in function ")) << report;
        EXPECT_NE(std::string::npos, report.find("ConfigFile::ConfigFile(std::string)")) << report;
        EXPECT_NE(std::string::npos, report.find("\nstd::exception::what: std::exception\n")) << report;
        EXPECT_NE(std::string::npos, report.find("] = ConfigFile not found\n")) << report;
        EXPECT_NE(std::string::npos,
                  report.find("] = Config.cfg loaded at: " + boost::filesystem::current_path().string() + "/Config.cfg\n"))
            << report;
    }
}
