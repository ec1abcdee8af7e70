#pragma once
// TOperatingSystem: version, platform and service-pack texts, registration values,
// well-known folders, the environment, and the nested time zone and NT specifics.
#include <cstdint>
#include <string>

#include "base/date_time.h"
#include "base/persistent.h"
#include "base/string_list.h"

namespace qor {

enum TNtProductType : std::uint8_t {
  ptUnknown = 0,
  ptWorkStation = 1,
  ptServer = 2,
  ptAdvancedServer = 3,
};
inline constexpr const char* kNtProductTypeNames[] = {"ptUnknown", "ptWorkStation", "ptServer",
                                                      "ptAdvancedServer"};

enum TNTSuite : int {
  suSmallBusiness = 0,
  suEnterprise = 1,
  suBackOffice = 2,
  suCommunications = 3,
  suTerminal = 4,
  suSmallBusinessRestricted = 5,
  suEmbeddedNT = 6,
  suDataCenter = 7,
};
inline constexpr const char* kNTSuiteNames[] = {
    "suSmallBusiness",           "suEnterprise", "suBackOffice", "suCommunications", "suTerminal",
    "suSmallBusinessRestricted", "suEmbeddedNT", "suDataCenter"};
// Bit n is TNTSuite n.
using TNTSuites = std::uint8_t;

// What only the NT family reports: product type, suites, service-pack numbers.
class TNTSpecific : public TInfoClass {
 public:
  const char* ClassName() const override { return "TNTSpecific"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::uint16_t ServicePackMinorVersion = 0;
  std::uint16_t ServicePackMajorVersion = 0;
  TNtProductType ProductType = ptUnknown;
  TNTSuites InstalledSuites = 0;
};

// The current time zone: offsets, names, display name and this year's transitions.
class TTimeZone : public TInfoClass {
 public:
  const char* ClassName() const override { return "TTimeZone"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::int32_t StandardBias = 0;
  std::int32_t DaylightBias = 0;
  std::int32_t Bias = 0;
  std::string DisplayName;
  std::string StandardName;
  TDateTime DaylightStart = 0;
  TDateTime StandardStart = 0;
  std::string DaylightName;
};

class TOperatingSystem : public TInfoClass {
 public:
  const char* ClassName() const override { return "TOperatingSystem"; }
  void GetInfo() override;
  void Publish(PropertyWriter& w) const override;

  std::int32_t BuildNumber = 0;
  std::int32_t MajorVersion = 0;
  std::int32_t MinorVersion = 0;
  std::string Platform;
  std::string CSD;
  std::string Version;
  std::string RegisteredUser;
  std::string ProductID;
  std::string RegisteredOrg;
  // Owned; created in this order, read but never replaced by callers.
  TStringList Environment;
  TStringList Folders;
  TTimeZone TimeZone;
  TNTSpecific NTSpecific;
  std::string ProductKey;
  std::string DVDRegion;
};

}  // namespace qor
