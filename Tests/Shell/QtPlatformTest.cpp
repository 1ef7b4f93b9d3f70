#include "Shell/QtPlatform.h"
#include "Shell/RendererThreads.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string Choose(const std::map<std::string, std::string>& environment)
{
    return ChooseQtPlatform([&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    });
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
    EXPECT_EQ("4", ChooseRendererThreads([](const char*) { return nullptr; }, 2));
    EXPECT_EQ("", ChooseRendererThreads([](const char*) { return "1"; }, 2));
    EXPECT_EQ("", ChooseRendererThreads([](const char*) { return nullptr; }, 16));
}
