// The Linux screen, sound devices and network adapters over the sysfs/procfs fixture.
#include <gtest/gtest.h>

#include "info/QOR_Display.h"
#include "info/QOR_Media.h"
#include "info/QOR_Network.h"
#include "platform/linux/sources.h"
#include "routines/windows_version.h"

namespace qor {
namespace {

class DevicesViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string root = QOR_FIXTURES "/linux-view";
    platform::linux_impl::SetSources(
        {root + "/sys", root + "/proc", root + "/hwdata", root + "/etc"});
    InitWindowsVersion();
  }
  void TearDown() override { platform::linux_impl::SetSources({}); }
};

TEST_F(DevicesViewTest, TheScreenIsTheFramebufferWithTheConnectedModes) {
  TDisplay display;
  display.GetInfo();
  EXPECT_EQ(display.Adapter, "Test Graphics");
  EXPECT_EQ(display.HorzRes, 1920);
  EXPECT_EQ(display.VertRes, 1080);
  EXPECT_EQ(display.ColorDepth, 32);
  EXPECT_EQ(display.Technology, "Raster Display");
  EXPECT_EQ(display.RasterCaps, 0);  // Linux states no drawing capabilities
  // Each mode once, from connected connectors only.
  EXPECT_EQ(display.Modes.ToVector(),
            (std::vector<std::string>{"1920 x 1080 - 32 bit", "1280 x 1024 - 32 bit",
                                      "800 x 600 - 32 bit"}));
}

TEST_F(DevicesViewTest, TheSoundCardNamesTheMediaDeviceAndItsFamilies) {
  TMedia media;
  media.GetInfo();
  EXPECT_EQ(media.Devices.ToVector(), (std::vector<std::string>{"HDA Intel"}));
  EXPECT_EQ(media.SoundCardIndex, 0);
  EXPECT_EQ(media.WAVEOut.ToVector(),
            (std::vector<std::string>{"ALC892 Analog v6.1", "ALC892 Digital v6.1"}));
  EXPECT_EQ(media.WAVEIn.ToVector(),
            (std::vector<std::string>{"ALC892 Analog v6.1", "ALC892 Alt Analog v6.1"}));
  EXPECT_EQ(media.MIDIOut.ToVector(), (std::vector<std::string>{"HDA Intel v6.1"}));
  EXPECT_EQ(media.Mixer.ToVector(), (std::vector<std::string>{"HDA Intel v6.1"}));
  EXPECT_TRUE(media.AUX.Empty());
}

TEST_F(DevicesViewTest, EveryInterfaceWithAHardwareAddressIsAnAdapter) {
  TNetwork network;
  network.GetInfo();
  // Loopback and interfaces without an address are left out; interface order kept.
  EXPECT_EQ(network.MACAddresses.ToVector(),
            (std::vector<std::string>{"52:54:00:12:34:56", "a4:c3:f0:0a:0b:0c"}));
}

}  // namespace
}  // namespace qor
