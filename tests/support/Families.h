// Which font families this process can use right now.
#pragma once

#include <set>
#include <string>

namespace testing_support {

// Every face name the enumeration reports, repeats included.
std::multiset<std::wstring> CurrentFamilies();
bool HasFamily(const std::wstring& family);

} // namespace testing_support
