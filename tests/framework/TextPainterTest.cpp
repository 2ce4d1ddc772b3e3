// Line breaking of label text: paragraphs at CR LF, words at spaces.
#include "Fonts.h"
#include "Handles.h"
#include "TextPainter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TextPainterTest : public ::testing::Test {
protected:
    fx::WindowDC screen{nullptr};
    fx::MemoryDC dc{CreateCompatibleDC(screen.get())};
    fx::UniqueFont font = fx::CreateDesignFont({L"Tahoma", 12, DEFAULT_CHARSET}, 96);
    fx::SelectGuard select{dc.get(), font.get()};

    std::vector<std::wstring> Wrap(std::wstring_view text, int width) {
        std::vector<std::wstring> out;
        for (auto line : fx::WrapLines(dc.get(), text, width, false)) out.emplace_back(line);
        return out;
    }
};

TEST_F(TextPainterTest, LineBreaksStartNewLinesAndAFinalOneAddsNone) {
    EXPECT_EQ(Wrap(L"one\r\ntwo\r\nthree\r\n\r\n", 10000),
              (std::vector<std::wstring>{L"one", L"two", L"three", L""}));
    EXPECT_EQ(Wrap(L"a\nb\rc", 10000), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(TextPainterTest, WrapsAtSpacesWithinTheWidthAndKeepsALongWordWhole) {
    const int wordWidth = std::max(fx::MeasureLine(dc.get(), L"alpha beta", false),
                                   fx::MeasureLine(dc.get(), L"gamma delta", false));
    ASSERT_GT(wordWidth, 0);
    ASSERT_GT(fx::MeasureLine(dc.get(), L"alpha beta gamma", false), wordWidth);
    const auto lines = Wrap(L"alpha beta gamma delta", wordWidth);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"alpha beta", L"gamma delta"}));
    for (const auto& line : lines) EXPECT_LE(fx::MeasureLine(dc.get(), line, false), wordWidth);

    EXPECT_EQ(Wrap(L"unbreakable", 3), (std::vector<std::wstring>{L"unbreakable"}));
}

TEST_F(TextPainterTest, ArabicIsMeasuredAsShapedText) {
    // Joined letters are narrower than the same letters measured apart.
    const std::wstring word = L"تثبيت";
    int apart = 0;
    for (wchar_t c : word) apart += fx::MeasureLine(dc.get(), std::wstring(1, c), true);
    const int joined = fx::MeasureLine(dc.get(), word, true);
    EXPECT_GT(joined, 0);
    EXPECT_LT(joined, apart);
}

} // namespace
