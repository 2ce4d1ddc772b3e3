// Folder and path text as Windows reports it.
#pragma once

#include <string>
#include <string_view>

namespace fx {

// The folder holding the running executable: no trailing backslash, except
// at the root of a drive ("C:\").
std::wstring ExecutableFolder();

// folder + name with exactly one backslash between them.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

} // namespace fx
