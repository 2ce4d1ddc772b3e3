// The committed artwork must be exactly what the generator draws today, so a
// change to the drawing code cannot silently leave stale files behind.
#include "artwork.hpp"
#include "artwork_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace artwork_test;

TEST(ArtworkSync, RegeneratedFilesEqualTheCommittedOnes) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "mirvashel-artwork";
    std::filesystem::remove_all(folder);
    artgen::writeArtwork(folder);
    for (const auto& file : artgen::buildAllArtwork()) {
        const std::string& name = file.name;
        const Bytes fresh = readFile(folder / name), committed = readResource(name);
        // Report where they part rather than two huge dumps.
        const auto [a, b] = std::ranges::mismatch(fresh, committed);
        EXPECT_TRUE(a == fresh.end() && b == committed.end())
            << name << " differs from byte " << (a - fresh.begin()) << " on (" << fresh.size() << " bytes drawn, "
            << committed.size() << " committed); regenerate with: cmake --build build/host --target artwork";
    }
    std::filesystem::remove_all(folder);
}

} // namespace
