#include "routines/device_class.h"

#include "base/registry.h"
#include "routines/text_routines.h"
#include "routines/windows_version.h"

namespace qor {

void LookupDeviceClass(std::string_view baseKey, std::string_view className,
                       std::string_view valueName, std::string& classKey, TStringList& list) {
  classKey.clear();
  list.Clear();
  TRegistry reg;
  reg.RootKey = platform::kHKeyLocalMachine;
  const std::string base(baseKey);
  if (!reg.OpenKey(base)) return;
  TStringList classKeys;
  reg.GetKeyNames(classKeys);
  reg.CloseKey();

  const std::string wanted = UpperAZ(className);
  for (int i = 0; i < classKeys.Count(); ++i) {
    if (!reg.OpenKey(base + "\\" + classKeys[i])) continue;
    if (!reg.ValueExists("Class") || UpperAZ(reg.ReadString("Class")) != wanted) {
      reg.CloseKey();
      continue;
    }
    // Only the first matching class is read.
    std::string link;
    if (IsNTFamily) {
      link = classKeys[i];
    } else {
      link = UpperAZ(reg.ReadString("Link"));
      reg.CloseKey();
      if (!reg.OpenKey(base + "\\" + link)) return;
    }
    classKey = link;
    TStringList members;
    reg.GetKeyNames(members);
    reg.CloseKey();
    for (int m = 0; m < members.Count(); ++m) {
      if (!reg.OpenKey(base + "\\" + link + "\\" + members[m])) continue;
      if (reg.ValueExists(valueName)) {
        std::string text = reg.ReadString(valueName);
        if (list.IndexOf(text) < 0) list.Add(text);
      }
      reg.CloseKey();
    }
    return;
  }
}

}  // namespace qor
