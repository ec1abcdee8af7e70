#include <gtest/gtest.h>

#include "base/error.h"
#include "console/console_run.h"
#include "fake_test.h"
#include "info/QOR_Media.h"
#include "platform/fake/fake_multimedia.h"

namespace qor {
namespace {

using platform::MediaFamily;

class MediaTest : public test::FakeMachineTest {
 protected:
  void SetUp() override {
    FakeMachineTest::SetUp();
    Boot(1, 4, 10, 1998);
  }
  void LoadFixture(const char* name) { registry().LoadFile(std::string(QOR_FIXTURES "/") + name); }
  static std::vector<fake::MediaDevice>& Family(MediaFamily f) { return fake::MediaDevices(f); }
};

TEST_F(MediaTest, NoMultimediaDriverMeansNoDevicesAndNoIndexes) {
  TMedia media;
  EXPECT_EQ(media.SoundCardIndex, 0);
  EXPECT_EQ(media.GamePortIndex, 0);
  media.GetInfo();
  EXPECT_TRUE(media.Devices.Empty());
  EXPECT_EQ(media.SoundCardIndex, -1);
  EXPECT_EQ(media.GamePortIndex, -1);
}

TEST_F(MediaTest, ChoosesTheSoundCardAndTheGamePortByTheInventory) {
  LoadFixture("media_choice_9x.reg");
  TMedia media;
  media.GetInfo();
  EXPECT_EQ(fake::OpenHandles(), 0);
  ASSERT_EQ(media.Devices.ToVector(),
            (std::vector<std::string>{"Standard Gameport", "Unlocated Card", "sound blaster",
                                      "Second Card", "Second Gameport"}));
  // A located game port never becomes the sound card; the last game port wins.
  EXPECT_EQ(media.GamePortIndex, 4);
  // The unlisted and the unlocated devices come first in the walk but do not
  // qualify; the one matched by its description does, and the later one is ignored.
  EXPECT_EQ(media.SoundCardIndex, 2);
}

TEST_F(MediaTest, FamilyTextsCarryTheDriverVersionAndAppearOnce) {
  Family(MediaFamily::WaveOut) = {{"Wave A", 0x0502},
                                  {"WAVE a", 0x0502},  // the same text but for case
                                  {"Broken", 0x0100, 2},
                                  {"Wave B", 0xFFFF050A}};
  Family(MediaFamily::WaveIn) = {{"Wave In", 0x0100}};
  Family(MediaFamily::MidiOut) = {{"Synth", 0x0A00}};
  Family(MediaFamily::MidiIn) = {{"Midi In", 0x0001}};
  Family(MediaFamily::Aux) = {{"CD Audio", 0x0400}};
  // A name that fills the product-name field has no terminator to stop at.
  Family(MediaFamily::Mixer) = {{std::string(40, 'M'), 0x0102}};
  TMedia media;
  media.GetInfo();
  EXPECT_EQ(media.WAVEOut.ToVector(), (std::vector<std::string>{"Wave A v5.2", "Wave B v5.10"}));
  EXPECT_EQ(media.WAVEIn.ToVector(), std::vector<std::string>{"Wave In v1.0"});
  EXPECT_EQ(media.MIDIOut.ToVector(), std::vector<std::string>{"Synth v10.0"});
  EXPECT_EQ(media.MIDIIn.ToVector(), std::vector<std::string>{"Midi In v0.1"});
  EXPECT_EQ(media.AUX.ToVector(), std::vector<std::string>{"CD Audio v4.0"});
  EXPECT_EQ(media.Mixer.ToVector(), std::vector<std::string>{std::string(32, 'M') + " v1.2"});
}

TEST_F(MediaTest, FamiliesOnlyGrowAcrossRefreshes) {
  Family(MediaFamily::WaveOut) = {{"Wave A", 0x0502}};
  TMedia media;
  media.GetInfo();
  media.GetInfo();
  EXPECT_EQ(media.WAVEOut.ToVector(), std::vector<std::string>{"Wave A v5.2"});
  Family(MediaFamily::WaveOut) = {{"Wave B", 0x0100}};
  media.GetInfo();
  EXPECT_EQ(media.WAVEOut.ToVector(), (std::vector<std::string>{"Wave A v5.2", "Wave B v1.0"}));
}

TEST_F(MediaTest, ARegistryErrorEndsTheRefreshBeforeTheFamilies) {
  LoadFixture("media_choice_9x.reg");
  registry().Load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\MEDIA\0001]
"DriverDesc"=dword:00000001
)");
  Family(MediaFamily::WaveOut) = {{"Wave A", 0x0502}};
  TMedia media;
  try {
    media.GetInfo();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'DriverDesc'");
  }
  EXPECT_EQ(fake::OpenHandles(), 0);
  EXPECT_TRUE(media.WAVEOut.Empty());
  EXPECT_EQ(media.SoundCardIndex, 0);  // the steps after the lookup did not run
}

class SoundLineTest : public MediaTest {
 protected:
  std::string Summary() {
    machine().output.clear();
    RunConsole();
    return machine().output;
  }
};

TEST_F(SoundLineTest, ShowsTheSoundCardOrElseTheFirstDriver) {
  EXPECT_EQ(Summary().find("Sound:"), std::string::npos);  // no driver, no line
  LoadFixture("media_choice_9x.reg");
  EXPECT_NE(Summary().find("\r\nSound: sound blaster\r\n"), std::string::npos);
  // Without a located device the first driver stands in.
  registry().Load(R"(REGEDIT4
[-HKEY_LOCAL_MACHINE\Enum\ROOT\D]
[-HKEY_LOCAL_MACHINE\Enum\ROOT\E]
)");
  EXPECT_NE(Summary().find("\r\nSound: Standard Gameport\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qor
