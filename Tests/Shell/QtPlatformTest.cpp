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
    const auto unset = [](const char*) -> const char* { return nullptr; };
    const auto empty = [](const char*) { return ""; };
    const auto player = [](const char* name) { return std::string(name) == "LP_NUM_THREADS" ? "1" : nullptr; };
    EXPECT_EQ("", ChooseRendererThreads(unset, 1)); // one core: nothing to gain from a second thread
    EXPECT_EQ("4", ChooseRendererThreads(unset, 2));
    EXPECT_EQ("8", ChooseRendererThreads(unset, 4));
    EXPECT_EQ("", ChooseRendererThreads(unset, 5)); // beyond what was measured
    EXPECT_EQ("", ChooseRendererThreads(unset, 16));
    EXPECT_EQ("8", ChooseRendererThreads(empty, 4)); // set but empty is not a choice
    for (unsigned cores : {1u, 2u, 4u, 5u})
        EXPECT_EQ("", ChooseRendererThreads(player, cores)) << cores;
}
