// The committed artwork must be exactly what the generator draws today, so a
// change to the drawing code cannot silently leave stale files behind.
#include "artwork.hpp"
#include "artwork_files.hpp"

#include <gtest/gtest.h>

namespace {

using namespace artwork_test;

TEST(ArtworkSync, RegeneratedFilesEqualTheCommittedOnes) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "mirvashel-artwork";
    std::filesystem::remove_all(folder);
    artgen::writeArtwork(folder);

    for (const char* name : {"Mirvashel.ico", "close.bmp", "weblink.bmp"}) {
        SCOPED_TRACE(name);
        const Bytes fresh = readFile(folder / name);
        const Bytes committed = readResource(name);
        ASSERT_EQ(fresh.size(), committed.size());
        // Report the first differing byte rather than two huge dumps.
        std::size_t firstDifference = fresh.size();
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            if (fresh[i] != committed[i]) {
                firstDifference = i;
                break;
            }
        }
        EXPECT_EQ(firstDifference, fresh.size()) << "regenerate with: cmake --build build/host --target artwork";
    }
    std::filesystem::remove_all(folder);
}

} // namespace
