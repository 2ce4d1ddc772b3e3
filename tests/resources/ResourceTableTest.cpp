// The resource table of Mirvashel.exe as built: the icon group with its
// fifteen images, the version record, and nothing else. The shell and the
// file's property sheet read these without running the program, so they are
// checked in the file itself, loaded as data.
#include "Handles.h"
#include "Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033

struct LibraryTraits { static void close(HMODULE h) noexcept { FreeLibrary(h); } };
using UniqueLibrary = fx::UniqueHandle<HMODULE, LibraryTraits>;

// The build copies the program and its icon file beside this test.
std::wstring Beside(const wchar_t* name) { return fx::JoinPath(fx::ExecutableFolder(), name); }

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

WORD Word(Bytes b, size_t at) {
    if (at + 2 > b.size()) throw std::out_of_range("WORD beyond the end of the data");
    WORD v;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

DWORD Dword(Bytes b, size_t at) {
    if (at + 4 > b.size()) throw std::out_of_range("DWORD beyond the end of the data");
    DWORD v;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

// "#n" for a numbered type or name, the text itself for a named one.
std::wstring Key(LPCWSTR idOrName) {
    return IS_INTRESOURCE(idOrName) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(idOrName))
                                    : std::wstring(idOrName);
}

// type -> name -> languages, as the loader enumerates them.
using Names = std::map<std::wstring, std::vector<WORD>>;
using Table = std::map<std::wstring, Names>;

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
    (*reinterpret_cast<Table*>(param))[Key(type)][Key(name)].push_back(language);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param) {
    EnumResourceNamesW(module, type, OnName, param);
    return TRUE;
}

// One icon group entry and the matching directory entry of the icon file.
struct IconImage {
    Bytes groupEntry;   // 14 bytes: the 12 shared with the file, then the icon number
    Bytes fileEntry;    // 16 bytes: the 12 shared, then the image's offset
    WORD iconId;
    Bytes fileImage;    // the image's bytes inside the icon file
};

constexpr size_t kGroupHeader = 6, kGroupEntry = 14, kFileEntry = 16, kSharedEntryBytes = 12;
constexpr int kSizes[] = {16, 24, 32, 48, 128};
constexpr int kDepths[] = {4, 8, 32};
constexpr size_t kImageCount = std::size(kSizes) * std::size(kDepths);

// A node of the version record: key, text or binary value, children.
struct VersionNode {
    std::wstring key;
    WORD type = 0; // 1 text, 0 binary
    Bytes value;
    std::vector<VersionNode> children;

    std::wstring Text() const {
        std::wstring s(reinterpret_cast<const wchar_t*>(value.data()), value.size() / sizeof(wchar_t));
        while (!s.empty() && s.back() == L'\0') s.pop_back();
        return s;
    }
    const VersionNode* Child(const std::wstring& name) const {
        for (const auto& c : children)
            if (c.key == name) return &c;
        return nullptr;
    }
};

size_t AlignDword(size_t at) { return (at + 3) & ~size_t(3); }

// Walks the raw record node by node: wLength, wValueLength, wType, the key,
// padding to a DWORD, the value, padding, then the children up to wLength.
// Offsets are from the start of the record, which the loader DWORD-aligns.
VersionNode ParseVersionNode(Bytes record, size_t at, size_t limit) {
    const size_t length = Word(record, at);
    const size_t valueLength = Word(record, at + 2);
    VersionNode node;
    node.type = Word(record, at + 4);
    const size_t end = at + length;
    if (length < 6 || end > limit) throw std::runtime_error("a node overruns its parent");
    size_t pos = at + 6;
    for (WORD ch; (ch = Word(record, pos)) != 0; pos += 2) node.key += wchar_t(ch);
    pos = AlignDword(pos + 2);
    const size_t valueBytes = node.type == 1 ? valueLength * sizeof(wchar_t) : valueLength;
    if (pos + valueBytes > end) throw std::runtime_error("a value overruns its node");
    node.value = record.subspan(pos, valueBytes);
    for (pos = AlignDword(pos + valueBytes); pos < end; pos = AlignDword(pos + Word(record, pos)))
        node.children.push_back(ParseVersionNode(record, pos, end));
    return node;
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

    // Pairs every entry of icon group 1 with the icon file's entry at the
    // same place; fails the test when the two directories disagree in shape.
    std::vector<IconImage> PairIconImages() {
        const Bytes group = Resource(RT_GROUP_ICON, 1, kNeutral);
        const Bytes file(iconFile_);
        if (group.size() != kGroupHeader + kImageCount * kGroupEntry ||
            file.size() < kGroupHeader + kImageCount * kFileEntry) {
            ADD_FAILURE() << "icon group of " << group.size() << " bytes, icon file of " << file.size();
            return {};
        }
        EXPECT_EQ(Word(group, 0), 0);
        EXPECT_EQ(Word(group, 2), 1); // icons, not cursors
        EXPECT_EQ(Word(group, 4), kImageCount);
        EXPECT_EQ(Word(file, 0), 0);
        EXPECT_EQ(Word(file, 2), 1);
        EXPECT_EQ(Word(file, 4), kImageCount);

        std::vector<IconImage> images;
        for (size_t i = 0; i < kImageCount; ++i) {
            IconImage image;
            image.groupEntry = group.subspan(kGroupHeader + i * kGroupEntry, kGroupEntry);
            image.fileEntry = file.subspan(kGroupHeader + i * kFileEntry, kFileEntry);
            image.iconId = Word(image.groupEntry, 12);
            const size_t bytes = Dword(image.fileEntry, 8), offset = Dword(image.fileEntry, 12);
            if (offset + bytes > file.size()) {
                ADD_FAILURE() << "image " << i << " lies beyond the end of the icon file";
                return {};
            }
            image.fileImage = file.subspan(offset, bytes);
            images.push_back(image);
        }
        return images;
    }

    UniqueLibrary exe_;
    std::vector<std::uint8_t> iconFile_ = ReadWholeFile(Beside(L"Mirvashel.ico"));
};

TEST_F(ResourceTableTest, HoldsFifteenIconsOneIconGroupAndOneVersionRecordOnly) {
    Table table;
    ASSERT_TRUE(EnumResourceTypesW(exe_.get(), OnType, reinterpret_cast<LONG_PTR>(&table)));
    const auto namesOf = [&](LPCWSTR type) { return table.count(Key(type)) ? table.at(Key(type)) : Names{}; };

    // Only these three types: no manifest from the toolchain, no string
    // table, and the title-strip pictures are not bitmap resources.
    std::set<std::wstring> types;
    for (const auto& [type, names] : table) types.insert(type);
    EXPECT_EQ(types, (std::set<std::wstring>{Key(RT_ICON), Key(RT_GROUP_ICON), Key(RT_VERSION)}));

    // The shell picks the icon whatever the user's language; the version
    // record is U.S. English.
    EXPECT_EQ(namesOf(RT_GROUP_ICON), (Names{{L"#1", {kNeutral}}}));
    EXPECT_EQ(namesOf(RT_VERSION), (Names{{L"#1", {kEnglishUs}}}));

    const Names icons = namesOf(RT_ICON);
    EXPECT_EQ(icons.size(), kImageCount);
    for (const auto& [name, languages] : icons) {
        EXPECT_EQ(name.front(), L'#') << "icon images are numbered, not named: " << name;
        EXPECT_EQ(languages, std::vector<WORD>{kNeutral}) << "icon " << name;
    }
}

TEST_F(ResourceTableTest, IconGroupListsEverySizeAtEveryDepthLikeTheIconFile) {
    const auto images = PairIconImages();
    ASSERT_EQ(images.size(), kImageCount);
    size_t i = 0;
    for (int size : kSizes) {
        for (int bits : kDepths) {
            SCOPED_TRACE(testing::Message() << "entry " << i << ": " << size << " px, " << bits << " bits");
            const IconImage& image = images[i++];
            const Bytes entry = image.groupEntry;
            EXPECT_EQ(int(entry[0]), size);
            EXPECT_EQ(int(entry[1]), size);
            EXPECT_EQ(int(entry[2]), bits == 4 ? 16 : 0); // colour count: only the 16-colour images name one
            EXPECT_EQ(int(entry[3]), 0);
            EXPECT_EQ(Word(entry, 4), 1);            // planes
            EXPECT_EQ(Word(entry, 6), bits);
            // Width to byte count: the group repeats the file's directory.
            EXPECT_TRUE(std::equal(entry.begin(), entry.begin() + kSharedEntryBytes, image.fileEntry.begin()));
        }
    }
}

TEST_F(ResourceTableTest, EachGroupEntryPointsAtItsImageFromTheIconFileByteForByte) {
    const auto images = PairIconImages();
    ASSERT_EQ(images.size(), kImageCount);
    std::set<WORD> ids;
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        SCOPED_TRACE(testing::Message() << "entry " << i << ", icon " << image.iconId);
        ids.insert(image.iconId);
        const Bytes icon = Resource(RT_ICON, image.iconId, kNeutral);
        ASSERT_FALSE(icon.empty()) << "no such language-neutral icon";
        EXPECT_EQ(icon.size(), Dword(image.groupEntry, 8)) << "the group states another size";
        EXPECT_TRUE(std::equal(icon.begin(), icon.end(), image.fileImage.begin(), image.fileImage.end()));
    }
    // Fifteen distinct numbers for fifteen icons: every image is used once.
    EXPECT_EQ(ids.size(), kImageCount);
}

TEST_F(ResourceTableTest, VersionRecordFixedPartIsVersionOneOfAWindowsApplication) {
    const Bytes record = Resource(RT_VERSION, 1, kEnglishUs);
    ASSERT_FALSE(record.empty());
    VersionNode root;
    ASSERT_NO_THROW(root = ParseVersionNode(record, 0, record.size()));
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);
}

TEST_F(ResourceTableTest, VersionRecordHoldsExactlyFiveStringsInOrderAndOneTranslation) {
    const Bytes record = Resource(RT_VERSION, 1, kEnglishUs);
    ASSERT_FALSE(record.empty());
    VersionNode root;
    ASSERT_NO_THROW(root = ParseVersionNode(record, 0, record.size()));
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode* strings = root.Child(L"StringFileInfo");
    const VersionNode* variables = root.Child(L"VarFileInfo");
    ASSERT_TRUE(strings && variables);

    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children.front();
    EXPECT_EQ(table.key, L"040904B0");
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (const auto& entry : table.children) {
        EXPECT_EQ(entry.type, 1) << entry.key << " is not text";
        EXPECT_TRUE(entry.children.empty()) << entry.key;
        values.emplace_back(entry.key, entry.Text());
    }
    const std::vector<std::pair<std::wstring, std::wstring>> expected{
        {L"ProductName", L"Mirvashel"}, {L"FileVersion", L"1.00"},   {L"ProductVersion", L"1.00"},
        {L"InternalName", L"Mirvashel"}, {L"OriginalFilename", L"Mirvashel.exe"}};
    EXPECT_EQ(values, expected);

    ASSERT_EQ(variables->children.size(), 1u);
    const VersionNode& translation = variables->children.front();
    EXPECT_EQ(translation.key, L"Translation");
    EXPECT_EQ(translation.type, 0);
    ASSERT_EQ(translation.value.size(), 4u);
    EXPECT_EQ(Word(translation.value, 0), 0x0409);
    EXPECT_EQ(Word(translation.value, 2), 1200);
}

// Windows' own reader must find the same values where the property sheet
// looks for them; this also catches padding that only the walk above forgives.
TEST_F(ResourceTableTest, WindowsVersionApiReadsTheSameRecord) {
    const std::wstring path = Beside(L"Mirvashel.exe");
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_NE(size, 0u);
    std::vector<std::uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(value), MAKELONG(0x0409, 1200));

    for (const auto& [key, text] : {std::pair{L"ProductName", L"Mirvashel"}, std::pair{L"InternalName", L"Mirvashel"},
                                    std::pair{L"OriginalFilename", L"Mirvashel.exe"}}) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), &value, &length)) << key;
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), text);
    }
}

} // namespace
