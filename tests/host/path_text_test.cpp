// Joining folders and names, title-casing folders, bounded registry texts.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "setup/path_text.h"

TEST(TitleCaseFolder, OnlyFirstAndAfterSeparatorStayUpper)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"C:\\WINDOWS", "C:\\Windows"},
        {"C:\\WINDOWS\\SYSTEM32", "C:\\Windows\\System32"},
        {"c:\\winnt\\system32", "C:\\Winnt\\System32"},
        {"C:\\MY WINDOWS", "C:\\My Windows"},
        {"C:\\Windows\\SysWOW64", "C:\\Windows\\Syswow64"},
        {"C:\\1ABC", "C:\\1abc"},
        {"\\WINDOWS", "\\windows"},
        {"C:\\WINDOWS\\", "C:\\Windows\\"},
        {"C:\\\\WINDOWS", "C:\\\\windows"},     // a separator right after a separator does not act
        {"", ""},
        {"a", "A"},
        {"C:\\WIN\xC4" "DOWS", "C:\\Win\xC4" "dows"},  // bytes above 0x7F are left alone
    };
    for (const auto& c : cases) {
        char text[64];
        strcpy(text, c.in);
        TitleCaseFolder(text);
        EXPECT_STREQ(c.out, text) << c.in;
    }
}

TEST(JoinPath, OneBackslashBetweenAndTwoNulsAfter)
{
    const struct { const char* first; const char* second; const char* out; } cases[] = {
        {"C:\\Program Files\\Ombri", "Lumen Scout", "C:\\Program Files\\Ombri\\Lumen Scout"},
        {"C:\\Program Files\\Ombri\\", "Lumen Scout", "C:\\Program Files\\Ombri\\Lumen Scout"},
        {"", "Sales.txt", "\\Sales.txt"},
        {"C:\\", "", "C:\\"},
    };
    for (const auto& c : cases) {
        char out[64];
        memset(out, 'x', sizeof out);
        ASSERT_TRUE(JoinPath(out, sizeof out, c.first, c.second)) << c.first;
        EXPECT_STREQ(c.out, out);
        EXPECT_EQ('\0', out[strlen(c.out) + 1]) << "second terminator";
    }
}

TEST(JoinPath, RefusesWhatWouldNotFitWithBothTerminators)
{
    std::string folder(259, 'a');           // the longest InstallDir there can be
    folder[0] = 'C'; folder[1] = ':'; folder[2] = '\\';
    char out[260 + 8];
    memset(out, 'x', sizeof out);
    EXPECT_FALSE(JoinPath(out, 260, folder.c_str(), "Lumen Scout.exe"));
    EXPECT_STREQ("", out) << "a refused join leaves the empty text";
    for (size_t i = 260; i < sizeof out; i++)
        EXPECT_EQ('x', out[i]) << "byte " << i << " past the buffer was written";

    // Exactly at the limit: 256 + backslash + 1 = 258 characters and the two NULs make 260.
    std::string first(256, 'b');
    EXPECT_TRUE(JoinPath(out, 260, first.c_str(), "c"));
    EXPECT_EQ(258u, strlen(out));
    EXPECT_FALSE(JoinPath(out, 260, first.c_str(), "cd"));
}

TEST(JoinPath, MayJoinOntoItsOwnFirstPiece)
{
    char path[64] = "C:\\Program Files\\Ombri\\";
    ASSERT_TRUE(JoinPath(path, sizeof path, path, "Lumen Scout"));
    EXPECT_STREQ("C:\\Program Files\\Ombri\\Lumen Scout", path);
}

TEST(StoredRegistryText, UnterminatedValueThatFillsTheBufferDoesNotFit)
{
    char value[260];
    memset(value, 'd', sizeof value);
    EXPECT_FALSE(StoredTextFits(value, 260, 260));
    value[259] = '\0';
    EXPECT_TRUE(StoredTextFits(value, 260, 260));
    EXPECT_TRUE(StoredTextFits(value, 12, 260)) << "a short unterminated value fits with a terminator added";

    char out[260 + 4];
    memset(out, 'x', sizeof out);
    CopyBoundedText(out, 260, value, 12);
    EXPECT_EQ(std::string(12, 'd'), out);
    memset(value, 'd', sizeof value);
    CopyBoundedText(out, 260, value, 260);
    EXPECT_EQ(259u, strlen(out)) << "never an unterminated text";
    EXPECT_EQ('x', out[260]);
}
