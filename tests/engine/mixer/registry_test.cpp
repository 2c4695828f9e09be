// The input-module registry with the real decoder plug-ins.
#include "engine/buffers/input_buffer.h"
#include "engine/deck/stream_device.h"
#include "mixer_rig.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

std::string Path(const char* p) {
    return p;
}

} // namespace

TEST(MixerRegistry, ExtensionsMatchInAnyCaseAndTheFirstRecordDecides) {
    MixerRig rig;
    std::string sndfile = Path(ZEM_IN_SNDFILE), mpg123 = Path(ZEM_IN_MPG123);
    EXPECT_EQ(rig.mixer->AddInputBufferModule(sndfile.data()), 1);
    EXPECT_EQ(rig.mixer->AddInputBufferModule(mpg123.data()), 1);
    std::vector<DeviceModuleInfo*> infos;
    rig.mixer->GetDeviceModuleInfos(infos);
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(std::string(infos[0]->path), sndfile);
    EXPECT_EQ(std::string(infos[1]->path), mpg123);

    char upper[] = ".MP3", lower[] = ".mp3", wav[] = ".Wav", none[] = ".xyz", empty[] = "";
    for (char* ext : {upper, lower, wav}) {
        DeviceInputBuffer* buffer = rig.mixer->GetInputBufferType(ext);
        EXPECT_NE(buffer, nullptr) << ext;
        delete buffer;
    }
    EXPECT_EQ(rig.mixer->GetInputBufferType(none), nullptr);
    EXPECT_EQ(rig.mixer->GetInputBufferType(empty), nullptr);

    MixerDevice* deck = rig.mixer->GetDeviceType(upper);
    ASSERT_NE(deck, nullptr);
    auto* stream = dynamic_cast<StreamDevice*>(deck);
    ASSERT_NE(stream, nullptr);
    EXPECT_NE(stream->GetMainInputBuffer(), nullptr);
    delete deck;
    EXPECT_EQ(rig.mixer->GetDeviceType(none), nullptr);
}

TEST(MixerRegistry, RemovalNeedsTheExactPath) {
    MixerRig rig;
    std::string sndfile = Path(ZEM_IN_SNDFILE);
    ASSERT_EQ(rig.mixer->AddInputBufferModule(sndfile.data()), 1);
    std::string other = sndfile;
    for (char& c : other)
        c = static_cast<char>(std::isupper(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c))
                                  : std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(rig.mixer->RemoveInputBufferModule(other.data()), 1);
    std::vector<DeviceModuleInfo*> infos;
    rig.mixer->GetDeviceModuleInfos(infos);
    EXPECT_EQ(infos.size(), 1u);
    EXPECT_EQ(rig.mixer->RemoveInputBufferModule(sndfile.data()), 0);
    rig.mixer->GetDeviceModuleInfos(infos);
    EXPECT_TRUE(infos.empty());
    EXPECT_EQ(rig.mixer->RemoveInputBufferModule(sndfile.data()), 1);
}

TEST(MixerRegistry, LibrariesThatAreNotInputModulesAreNotRegistered) {
    MixerRig rig;
    std::string missing = rig.dir.file("nothing.so");
    EXPECT_EQ(rig.mixer->AddInputBufferModule(missing.data()), 0);
    std::vector<DeviceModuleInfo*> infos;
    rig.mixer->GetDeviceModuleInfos(infos);
    EXPECT_TRUE(infos.empty());
}
