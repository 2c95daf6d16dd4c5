#include "common/owned_string.h"

#include <gtest/gtest.h>

#include "common/wide_text.h"
#include "platform/facility.h"
#include "platform/text_codec.h"
#include "tests/fakes/call_script.h"

namespace {

TEST(OwnedStringTest, NullTextIsEmpty) {
    const OwnedString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.empty());
    EXPECT_STREQ(fromNull.c_str(), "");
    EXPECT_EQ(fromNull, OwnedString(""));
}

TEST(OwnedStringTest, CopiesAreIndependentAndCompareByteForByte) {
    OwnedString original("AutoUpdateDisable");
    OwnedString copy = original;
    original.append("=1", 2);
    EXPECT_EQ(copy, OwnedString("AutoUpdateDisable"));
    EXPECT_NE(copy, original);
    EXPECT_NE(OwnedString("a"), OwnedString("A"));
    // Bytes past an embedded NUL still count.
    EXPECT_NE(OwnedString("ab\0c", 4), OwnedString("ab\0d", 4));
    EXPECT_EQ(OwnedString("ab\0c", 4).length(), 4u);
}

// A UTF-8 code page that fails on request and otherwise converts for real.
class ScriptedTextCodec : public platform::TextCodec {
  public:
    fakes::CallScript script;

    int multiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength,
                            wchar_t* wide, int wideLength) override {
        if (script.shouldFail("MultiByteToWideChar")) return 0;
        return win32().multiByteToWideChar(codePage, flags, text, textLength, wide, wideLength);
    }
    int wideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength,
                            char* text, int textLength) override {
        if (script.shouldFail("WideCharToMultiByte")) return 0;
        return win32().wideCharToMultiByte(codePage, flags, wide, wideLength, text, textLength);
    }
};

TEST(WideTextTest, RoundTripsUtf8) {
    std::wstring wide;
    ASSERT_TRUE(utf8ToWide("C:\\Users\\J\xC3\xBCrgen\\\xE4\xB8\xAD", wide));
    EXPECT_EQ(wide, L"C:\\Users\\J\u00fcrgen\\\u4e2d");
    OwnedString back;
    ASSERT_TRUE(wideToUtf8(wide.c_str(), back));
    EXPECT_EQ(back, OwnedString("C:\\Users\\J\xC3\xBCrgen\\\xE4\xB8\xAD"));

    ASSERT_TRUE(utf8ToWide("", wide));
    EXPECT_EQ(wide, L"");
}

TEST(WideTextTest, FailedConversionLeavesTheTargetAndReportsTheError) {
    ScriptedTextCodec codec;
    platform::ScopedFacility<platform::TextCodec> inForce(codec);
    codec.script.failCall("MultiByteToWideChar", ERROR_NO_UNICODE_TRANSLATION, 2);
    codec.script.failCall("WideCharToMultiByte", ERROR_INSUFFICIENT_BUFFER, 1);

    std::wstring wide = L"kept";
    EXPECT_FALSE(utf8ToWide("abc", wide));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(wide, L"kept");

    OwnedString text("kept");
    EXPECT_FALSE(wideToUtf8(L"abc", text));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(text, OwnedString("kept"));
}

}  // namespace
