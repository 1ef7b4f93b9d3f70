// The real mixer, not a stand-in: its wave-file driver records in real time
// what the game mixed, and the recording is read back and measured; the
// ambience alone is mixed off-line, as long as its measure needs.
#include "Audio/Ambience.h"
#include "Audio/OpenAlSound.h"
#include "Audio/SoundFiles.h"
#include "Gameplay/ExplosionBlock.h"
#include "Gameplay/GameplayTestSupport.h"
#include "Gameplay/NormalBlock.h"

#include <boost/filesystem.hpp>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <numeric>
#include <thread>
#include <vector>

namespace {

namespace fs = boost::filesystem;
using Clock = std::chrono::steady_clock;

// The library reads its configuration once per process, so every recording
// of a process goes to this one file.
std::string RecordingPath()
{
    static TestSupport::TempDir dir;
    static const bool configured = [] {
        TestSupport::WriteFile(dir / "alsoft.conf", "[general]\ndrivers = wave\n[wave]\nfile = " + dir / "mix.wav\n");
        return setenv("ALSOFT_CONF", (dir / "alsoft.conf").c_str(), 1) == 0;
    }();
    return configured ? dir / "mix.wav" : "";
}

// Pearson's correlation of two series of the same length.
float Correlation(const std::vector<float>& a, const std::vector<float>& b)
{
    const double meanA = std::accumulate(a.begin(), a.end(), 0.0) / a.size();
    const double meanB = std::accumulate(b.begin(), b.end(), 0.0) / b.size();
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return aa > 0.0 && bb > 0.0 ? static_cast<float>(ab / std::sqrt(aa * bb)) : 0.0f;
}

struct Recording
{
    std::vector<float> frames; // left, right, left, ...
    int rate = 0;              // frames per second
    double eventsAt = 0.0;     // seconds from the device's opening to the events, at least

    // Root mean square of channel 0 (left) or 1 (right) over `length` seconds from `from`.
    float Rms(int channel, double from, double length) const
    {
        if (channel > 1) // both
            return std::hypot(Rms(0, from, length), Rms(1, from, length)) / std::sqrt(2.0f);
        const std::size_t begin = static_cast<std::size_t>(from * rate) * 2 + channel;
        const std::size_t end = std::min(frames.size(), static_cast<std::size_t>((from + length) * rate) * 2);
        double sum = 0.0;
        for (std::size_t i = begin; i < end; i += 2)
            sum += frames[i] * frames[i];
        return end > begin ? static_cast<float>(std::sqrt(sum / ((end - begin) / 2))) : 0.0f;
    }
};

// A context on the library's loopback device: the same mixer, but it mixes
// only when asked, so what it records does not depend on the machine's load.
// Current from construction to destruction.
class OfflineMixer
{
public:
    explicit OfflineMixer(int rate)
    {
        const auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        device = open && render ? open(nullptr) : nullptr;
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                     ALC_FLOAT_SOFT, ALC_FREQUENCY, rate, 0};
        context = device ? alcCreateContext(device, attributes) : nullptr;
        previous = alcGetCurrentContext();
        if (context)
            alcMakeContextCurrent(context);
    }
    ~OfflineMixer()
    {
        if (context) {
            alcMakeContextCurrent(previous);
            alcDestroyContext(context);
        }
        if (device)
            alcCloseDevice(device);
    }
    OfflineMixer(const OfflineMixer&) = delete;
    OfflineMixer& operator=(const OfflineMixer&) = delete;

    bool IsOpen() const { return context != nullptr; }

    // Mixes the next `count` stereo frames onto the end of `frames`.
    void Mix(int count, std::vector<float>& frames)
    {
        const std::size_t at = frames.size();
        frames.resize(at + 2 * static_cast<std::size_t>(count));
        render(device, &frames[at], count);
    }

private:
    LPALCRENDERSAMPLESSOFT render = nullptr;
    ALCdevice* device = nullptr;   // owning
    ALCcontext* context = nullptr; // owning
    ALCcontext* previous = nullptr; // not owned; current again on destruction
};

class SoundRecording : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories("Resources/Sounds");
        for (const fs::directory_entry& f : fs::directory_iterator(fs::path(MIRAGE_SOURCE_DIR) / "Resources/Sounds"))
            fs::copy_file(f.path(), fs::path("Resources/Sounds") / f.path().filename());
        game.StartGame();
        ASSERT_FALSE(RecordingPath().empty()); // before any device opens
    }

    // Opens the device with `settings`, hears one frame from the camera above
    // the paddle, half a second of ambience alone, `events` in one tick and a
    // second after them; then the file is finished and read.
    Recording Record(const std::function<void()>& events)
    {
        game.UseSound(OpenAlSound::Open(settings));
        const Clock::time_point opened = Clock::now();
        game.Render();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double eventsAt = std::chrono::duration<double>(Clock::now() - opened).count();
        events();
        game.Update(0.02f);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        Recording r = Finish();
        r.eventsAt = eventsAt;
        return r;
    }

    // Closes the device, which finishes the file, and reads it.
    Recording Finish()
    {
        game.UseSound(nullptr);
        Recording r;
        SF_INFO info = {};
        if (SNDFILE* file = sf_open(RecordingPath().c_str(), SFM_READ, &info)) {
            r.frames.resize(info.channels == 2 ? static_cast<std::size_t>(info.frames) * 2 : 0);
            r.rate = sf_readf_float(file, r.frames.data(), r.frames.size() / 2) > 0 ? info.samplerate : 0;
            sf_close(file);
        }
        return r;
    }

    template <typename T>
    T* Add(T* block, Vec3 at)
    {
        block->setGame(&game);
        block->setPosition(at);
        block->setCollisionModel(CollisionModel(Vec3(0, 0, 0), Vec3(1, 0.5f, 0.5f)));
        game.entityList.entities.push_back(block);
        return block;
    }

    // A normal block broken, then dynamite whose blast sets off a second stick and strikes a block.
    void BreakABlockAndSetOffAChain(Vec3 at)
    {
        Add(new NormalBlock(1), at + Vec3(0, -3, 0))->hit();
        ExplosionBlock* first = Add(new ExplosionBlock(), at);
        Add(new ExplosionBlock(), at + Vec3(1, 0, 0));
        Add(new NormalBlock(3), at + Vec3(0, 1, 0));
        first->hit();
    }

    SoundSettings settings;
    GameplayTest::World world;
    Game& game = world.game();
};

} // namespace

TEST_F(SoundRecording, ABrokenBlockAndAChainAreHeardAboveTheAmbienceWithoutClipping)
{
    const Recording r = Record([this] { BreakABlockAndSetOffAChain(Vec3(0, 4, 0)); });
    ASSERT_GT(r.rate, 0) << "nothing recorded";
    const float before = r.Rms(0, 0.05, r.eventsAt - 0.1) + r.Rms(1, 0.05, r.eventsAt - 0.1);
    const float after = r.Rms(0, r.eventsAt, 0.6) + r.Rms(1, r.eventsAt, 0.6);
    EXPECT_GT(before, 1e-4f) << "the ambience is not playing";
    EXPECT_GT(after, 3.0f * before) << "before " << before << ", after " << after;
    for (float v : r.frames)
        ASSERT_LT(std::fabs(v), 1.0f);
}

TEST_F(SoundRecording, AnExplosionOnTheLeftIsLouderOnTheLeftSeenFromAbove)
{
    ASSERT_EQ(0, game.cameraMode); // above the paddle
    const Recording r = Record([this] { Add(new ExplosionBlock(), Vec3(-9.5f, 3, 0))->hit(); });
    ASSERT_GT(r.rate, 0) << "nothing recorded";
    const float left = r.Rms(0, r.eventsAt, 0.8), right = r.Rms(1, r.eventsAt, 0.8);
    EXPECT_GT(left, 1.3f * right) << "left " << left << ", right " << right;
}

TEST_F(SoundRecording, AMutedGameRecordsSilence)
{
    settings.mute = true;
    const Recording r = Record([this] { BreakABlockAndSetOffAChain(Vec3(-5, 4, 0)); });
    ASSERT_GT(r.frames.size(), static_cast<std::size_t>(2 * r.rate)) << "shorter than the run";
    for (float v : r.frames)
        ASSERT_EQ(0.0f, v);
}

TEST(Ambience, LeftAloneItsLoudnessHasNoPeriod)
{
    Recording r;
    r.rate = 22050; // the game's mixing rate
    OfflineMixer mixer(r.rate);
    ASSERT_TRUE(mixer.IsOpen()) << "no loopback device";
    alListenerf(AL_GAIN, SoundSettings().Gain());
    {
        Ambience ambience((fs::path(MIRAGE_SOURCE_DIR) / SoundFiles::folder).string());
        for (int tick = 0; tick < 600; ++tick) { // twelve seconds of ticks as the game's
            mixer.Mix(r.rate / 50, r.frames);
            ambience.Advance(0.02f, 1.0f);
        }
    }
    // Loudness in 50 ms windows against itself later, lags from 0.5 s to 5 s:
    // a loop of a few seconds correlates near 1 at its length.
    std::vector<float> envelope;
    for (double at = 0.5; at + 0.05 < r.frames.size() / 2.0 / r.rate; at += 0.05)
        envelope.push_back(r.Rms(2, at, 0.05));
    ASSERT_GT(*std::max_element(envelope.begin(), envelope.end()), 1e-3f) << "the ambience is not playing";
    float worst = -1.0f;
    std::size_t worstLag = 0;
    for (std::size_t lag = 10; lag <= 100; ++lag) {
        const std::vector<float> early(envelope.begin(), envelope.end() - lag), late(envelope.begin() + lag, envelope.end());
        const float c = Correlation(early, late);
        if (c > worst)
            worst = c, worstLag = lag;
    }
    EXPECT_LT(worst, 0.5f) << "at a lag of " << worstLag * 0.05 << " s";
}

TEST(SoundFiles, EveryEffectAndAmbienceFileLoadsANonEmptyBuffer)
{
    ASSERT_FALSE(RecordingPath().empty());
    OpenAlDevice device;
    ASSERT_TRUE(device.IsOpen());
    std::vector<std::string> files(std::begin(SoundFiles::effects), std::end(SoundFiles::effects));
    files.insert(files.end(), std::begin(SoundFiles::laps), std::end(SoundFiles::laps));
    files.insert(files.end(), std::begin(SoundFiles::details), std::end(SoundFiles::details));
    files.push_back(SoundFiles::wind);
    for (const std::string& file : files) {
        const SoundBuffer buffer((fs::path(MIRAGE_SOURCE_DIR) / SoundFiles::folder / file).string());
        ALint bytes = 0;
        if (buffer.Id())
            alGetBufferi(buffer.Id(), AL_SIZE, &bytes);
        EXPECT_GT(bytes, 1000) << file;
    }
}

TEST(SoundDevice, ASoundReplacedByAnotherReleasesItsOwnAndLeavesTheNewOnePlaying)
{
    ASSERT_FALSE(RecordingPath().empty());
    std::unique_ptr<SoundEvents> old = OpenAlSound::Open(SoundSettings());
    std::unique_ptr<SoundEvents> replacement = OpenAlSound::Open(SoundSettings());
    ASSERT_TRUE(old && replacement);
    ALCcontext* current = alcGetCurrentContext();
    old.reset();
    EXPECT_EQ(current, alcGetCurrentContext());
    replacement->Play(SoundEffect::Launch, Vec3(), 1.0f);
    replacement->EndTick();
    EXPECT_EQ(AL_NO_ERROR, alGetError());
}

TEST(SoundDevice, WithoutOneTheHarnessPlaysOnSilentlyAndSaysNothing)
{
    TestSupport::TempDir dir;
    TestSupport::CopyResources(dir.Path());
    TestSupport::WriteFile(dir / "Config.cfg", "StartLevel=0\n");
    // The only driver is asked for a sound card that does not exist: what CI
    // sees, whose sound-card library then prints errors of its own.
    TestSupport::WriteFile(dir / "alsoft.conf", "[general]\ndrivers = alsa\n[alsa]\ndevice = mirage-none\n");
    const std::string cmd = "cd '" + dir.Path() + "' && env -u ALSOFT_LOGLEVEL ALSOFT_CONF='" + dir / "alsoft.conf" +
                            "' '" + MIRAGE_HARNESS + "' --ticks 3 --render-every 0 >out.txt 2>err.txt";
    ASSERT_EQ(0, std::system(cmd.c_str()));
    EXPECT_NE(std::string::npos, TestSupport::ReadFile(dir / "out.txt").find("frames: 3"));
    const std::string err = TestSupport::ReadFile(dir / "err.txt");
    EXPECT_EQ(std::string::npos, err.find("Sound")) << err;
    EXPECT_EQ(std::string::npos, err.find("AL lib")) << err;
    EXPECT_EQ(std::string::npos, err.find("ALSA lib")) << err;
}
