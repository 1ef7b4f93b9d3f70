#include "Shell/QtPlatform.h"
#include "Shell/RendererThreads.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentLookup LookUpIn(const Environment& environment)
{
    return [&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
}

std::string Choose(const Environment& environment)
{
    return ChooseQtPlatform(LookUpIn(environment));
}

} // namespace

TEST(QtPlatform, AWaylandSessionPlaysThroughXWaylandUnlessThePlayerChose)
{
    EXPECT_EQ("xcb", Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}));
    EXPECT_EQ("xcb", Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}));
    EXPECT_EQ("xcb", Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}));
    EXPECT_EQ("", Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}));
    EXPECT_EQ("", Choose({{"WAYLAND_DISPLAY", "wayland-0"}})); // no X server to reach
    EXPECT_EQ("", Choose({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}));
    EXPECT_EQ("", Choose({}));
}

TEST(QtPlatform, TheSoftwareRendererGetsTwoThreadsACoreOnSmallMachinesUnlessThePlayerChose)
{
    EXPECT_EQ("4", ChooseRendererThreads(LookUpIn({}), 2));
    EXPECT_EQ("8", ChooseRendererThreads(LookUpIn({{"LP_NUM_THREADS", ""}}), 4));
    EXPECT_EQ("", ChooseRendererThreads(LookUpIn({{"LP_NUM_THREADS", "1"}}), 2));
    EXPECT_EQ("", ChooseRendererThreads(LookUpIn({}), 1));
    EXPECT_EQ("", ChooseRendererThreads(LookUpIn({}), 0)); // the count could not be told
    EXPECT_EQ("", ChooseRendererThreads(LookUpIn({}), 16));
}
