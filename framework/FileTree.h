// The matching files of a folder and of its sub-folders at every depth.
#pragma once

#include "FileList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace fx {

struct FileTree {
    // The matching files, each named by its path below the folder
    // ("Family-1.000\Family-Bold.ttf"), sorted by that path as a file list
    // sorts names.
    std::vector<ListedFile> files;
    // How many other files (neither hidden nor system) the tree holds, per
    // extension in lower case with its dot ("" for none), the most frequent
    // first.
    std::vector<std::pair<std::wstring, size_t>> others;
};

// Reads a folder and every folder below it, leaving out hidden and system
// folders and never entering a link, junction or other reparse point: the
// walk stays inside the folder and always ends. It keeps no stack per level,
// so any depth is walked. `between`, if given, runs after each folder; when
// it returns false the walk stops with ERROR_CANCELLED. Otherwise results as
// ListMatchingFiles; a sub-folder that cannot be read fails the whole walk
// (ERROR_BAD_PATHNAME when it has gone, or its path is longer than the
// system opens), with no files.
DWORD ListMatchingTree(const std::wstring& folder, const std::wstring& pattern, FileTree& tree,
                       const std::function<bool()>& between = {});

} // namespace fx
