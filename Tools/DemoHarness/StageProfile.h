#pragma once

#include <QElapsedTimer>

#include <map>
#include <string>
#include <vector>

/// Time of each stage of a frame (pass and draw), for finding where a frame's
/// time goes. Each stage ends with glFinish, so the renderer's threads finish
/// its work before the next stage starts: stages add up to more than an
/// ordinary frame, where the passes overlap, but each shows its own cost.
class StageProfile
{
public:
    /// Starts a frame's clock; the first stage includes the view's clear.
    void BeginFrame();
    /// Ends the stage named by the game's hook, drawn in `pass` ("reflection",
    /// "refraction" or "visible"); a current GL context is needed. Ignored
    /// outside a frame begun here.
    void EndStage(const std::string& stage, const std::string& pass);
    /// Ends the frame: what follows the last stage (buffer swap).
    void EndFrame();
    /// Mean milliseconds per frame, a row per pass, a column per stage.
    void Print() const;

private:
    QElapsedTimer clock;
    int frames = 0;
    bool recording = false; // between BeginFrame and EndFrame
    std::map<std::string, std::map<std::string, double>> total; // pass -> stage -> ms
};
