#pragma once
// Every test starts on a blank fake machine with the start-up values recomputed.
#include <gtest/gtest.h>

#include "info/startup.h"
#include "platform/fake/fake_machine.h"

namespace qor::test {

class FakeMachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    RunStartUp();
  }
  fake::Machine& machine() { return fake::Current(); }
  fake::FakeRegistry& registry() { return fake::Registry(); }
  // Describes the running Windows and reruns the start-up step.
  void Boot(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor, std::uint32_t build,
            const char* service = "") {
    fake::SetVersion(platformId, major, minor, build, service);
    RunStartUp();
  }
};

}  // namespace qor::test
