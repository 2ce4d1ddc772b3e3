// The resource table of Mirvashel.exe as built: the icon group with its
// fifteen images, the version record, and nothing else. The shell and the
// file's property sheet read these without running the program, so they are
// checked in the file itself, loaded as data.
#include "Handles.h"
#include "Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033
constexpr size_t kImageCount = 15; // five sizes at 4, 8 and 32 bits each

struct LibraryTraits { static void close(HMODULE h) noexcept { FreeLibrary(h); } };
using UniqueLibrary = fx::UniqueHandle<HMODULE, LibraryTraits>;

// The build copies the program and its icon file beside this test.
std::wstring Beside(const wchar_t* name) { return fx::JoinPath(fx::ExecutableFolder(), name); }

// Bounds-checked views into resource data.
Bytes Slice(Bytes b, size_t at, size_t count) {
    if (at > b.size() || count > b.size() - at) throw std::out_of_range("read beyond the end of the data");
    return b.subspan(at, count);
}
template <typename T>
T Read(Bytes b, size_t at) {
    T v;
    std::memcpy(&v, Slice(b, at, sizeof v).data(), sizeof v);
    return v;
}

// "#n" for a numbered type or name, the text itself for a named one.
std::wstring Key(LPCWSTR id) { return IS_INTRESOURCE(id) ? L"#" + std::to_wstring(ULONG_PTR(id)) : std::wstring(id); }

using Entry = std::tuple<std::wstring, std::wstring, WORD>; // type, name, language

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR entries) {
    reinterpret_cast<std::vector<Entry>*>(entries)->emplace_back(Key(type), Key(name), language);
    return TRUE;
}
// A failed inner enumeration stops the outer one, which then fails too.
BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR entries) {
    return EnumResourceLanguagesW(module, type, name, OnLanguage, entries);
}
BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR entries) {
    return EnumResourceNamesW(module, type, OnName, entries);
}

size_t AlignDword(size_t at) { return (at + 3) & ~size_t(3); }

// Walks the raw record node by node: wLength, wValueLength, wType, the key,
// padding to a DWORD, the value, padding, then the children up to wLength.
// Offsets are from the start of the record, which the loader DWORD-aligns.
// Lists every node by its path, a leaf with its text in quotes or its binary
// value in decimal words, and returns the node's value.
Bytes WalkVersionNode(Bytes record, size_t at, size_t limit, std::wstring path, std::vector<std::wstring>& nodes) {
    const size_t length = Read<WORD>(record, at), valueLength = Read<WORD>(record, at + 2);
    const WORD type = Read<WORD>(record, at + 4); // 1 text, 0 binary
    const size_t end = at + length;
    if (length < 6 || end > limit) throw std::runtime_error("a node overruns its parent");
    size_t pos = at + 6;
    for (WORD ch; (ch = Read<WORD>(record, pos)) != 0; pos += 2) path += wchar_t(ch);
    pos = AlignDword(pos + 2);
    const Bytes value = Slice(record, pos, type == 1 ? valueLength * sizeof(wchar_t) : valueLength);
    if (pos + value.size() > end) throw std::runtime_error("a value overruns its node");
    const size_t self = nodes.size();
    nodes.push_back(path);
    for (pos = AlignDword(pos + value.size()); pos < end; pos = AlignDword(pos + Read<WORD>(record, pos)))
        WalkVersionNode(record, pos, end, path + L"/", nodes);
    if (nodes.size() > self + 1) return value; // a block
    if (type == 1) {
        std::wstring text(reinterpret_cast<const wchar_t*>(value.data()), value.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        nodes[self] += L" \"" + text + L"\"";
    }
    for (size_t i = 0; type != 1 && i < value.size(); i += 2)
        nodes[self] += L" " + std::to_wstring(i + 1 < value.size() ? Read<WORD>(value, i) : value[i]);
    return value;
}

class ResourceTableTest : public testing::Test {
protected:
    void SetUp() override {
        exe_.reset(LoadLibraryExW(Beside(L"Mirvashel.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(exe_) << "cannot load Mirvashel.exe, error " << GetLastError();
    }

    Bytes Resource(LPCWSTR type, WORD id, WORD language) const {
        HRSRC found = FindResourceExW(exe_.get(), type, MAKEINTRESOURCEW(id), language);
        if (!found) return {};
        const void* data = LockResource(LoadResource(exe_.get(), found));
        return {static_cast<const std::uint8_t*>(data), SizeofResource(exe_.get(), found)};
    }

    UniqueLibrary exe_;
};

TEST_F(ResourceTableTest, HoldsFifteenNeutralIconsTheirGroupAndAUsEnglishVersionRecordOnly) {
    std::vector<Entry> entries;
    ASSERT_TRUE(EnumResourceTypesW(exe_.get(), OnType, reinterpret_cast<LONG_PTR>(&entries)));
    // Icon images are numbered, whichever numbers the resource compiler picks.
    for (auto& [type, name, language] : entries) {
        if (type == Key(RT_ICON) && name.starts_with(L"#")) name = L"#n";
    }
    // No manifest from the toolchain, no string table, and the title-strip
    // pictures are not bitmap resources. The shell picks the icon whatever
    // the user's language; the version record is U.S. English.
    std::vector<Entry> expected(kImageCount, {Key(RT_ICON), L"#n", kNeutral});
    expected.insert(expected.end(), {{Key(RT_GROUP_ICON), L"#1", kNeutral}, {Key(RT_VERSION), L"#1", kEnglishUs}});
    std::ranges::sort(entries);
    std::ranges::sort(expected);
    EXPECT_EQ(entries, expected);
}

// Icon group 1 repeats the icon file's directory entry by entry, and each
// entry's icon number leads to that image's bytes from the file.
TEST_F(ResourceTableTest, IconGroupAndImagesAreTheIconFileByteForByte) {
    std::ifstream in(std::filesystem::path(Beside(L"Mirvashel.ico")), std::ios::binary);
    const std::vector<std::uint8_t> iconFile{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Bytes group = Resource(RT_GROUP_ICON, 1, kNeutral), file(iconFile);
    ASSERT_EQ(group.size(), 6 + kImageCount * 14);
    // Reserved, 1 for icons (not cursors), the image count: in the group and in the file alike.
    const std::array<std::uint8_t, 6> header{0, 0, 1, 0, kImageCount, 0};
    EXPECT_TRUE(std::ranges::equal(group.first(6), header) && std::ranges::equal(Slice(file, 0, 6), header));
    for (size_t i = 0; i < kImageCount; ++i) {
        const int size = std::array{16, 24, 32, 48, 128}[i / 3], bits = std::array{4, 8, 32}[i % 3];
        SCOPED_TRACE(testing::Message() << "entry " << i << ": " << size << " px, " << bits << " bits");
        const Bytes entry = Slice(group, 6 + i * 14, 14), fileEntry = Slice(file, 6 + i * 16, 16);
        // Width, height, colour count (named by the 16-colour images only),
        // reserved, planes and bits; with the byte count, as in the file.
        EXPECT_EQ(std::vector<int>(entry.begin(), entry.begin() + 8),
                  (std::vector{size, size, bits == 4 ? 16 : 0, 0, 1, 0, bits, 0}));
        EXPECT_TRUE(std::ranges::equal(entry.first(12), fileEntry.first(12)));
        const Bytes image = Slice(file, Read<DWORD>(fileEntry, 12), Read<DWORD>(fileEntry, 8));
        EXPECT_TRUE(std::ranges::equal(Resource(RT_ICON, Read<WORD>(entry, 12), kNeutral), image))
            << "icon " << Read<WORD>(entry, 12) << " is not that language-neutral image";
    }
}

TEST_F(ResourceTableTest, VersionRecordIsVersionOneOfAnAppWithFiveStringsInOrderAndOneTranslation) {
    const Bytes record = Resource(RT_VERSION, 1, kEnglishUs);
    std::vector<std::wstring> nodes;
    const Bytes root = WalkVersionNode(record, 0, record.size(), L"", nodes);
    ASSERT_EQ(root.size(), sizeof(VS_FIXEDFILEINFO));
    std::vector<DWORD> fixed(sizeof(VS_FIXEDFILEINFO) / sizeof(DWORD));
    std::memcpy(fixed.data(), root.data(), root.size());
    // Signature, structure version, file and product version 1.0.0.0, no
    // flags, 32-bit Windows, an application, no subtype, no date.
    EXPECT_EQ(fixed, (std::vector<DWORD>{0xFEEF04BD, 0x10000, MAKELONG(0, 1), 0, MAKELONG(0, 1), 0, 0, 0,
                                         VOS__WINDOWS32, VFT_APP, 0, 0, 0}));
    EXPECT_EQ(nodes, (std::vector<std::wstring>{
                         L"VS_VERSION_INFO",
                         L"VS_VERSION_INFO/StringFileInfo",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0/ProductName \"Mirvashel\"",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0/FileVersion \"1.00\"",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0/ProductVersion \"1.00\"",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0/InternalName \"Mirvashel\"",
                         L"VS_VERSION_INFO/StringFileInfo/040904B0/OriginalFilename \"Mirvashel.exe\"",
                         L"VS_VERSION_INFO/VarFileInfo",
                         L"VS_VERSION_INFO/VarFileInfo/Translation 1033 1200", // U.S. English, Unicode
                     }));
}

} // namespace
