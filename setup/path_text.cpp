// JoinPath and TitleCaseFolder.
#include "path_text.h"
#include <string.h>

bool JoinPath(char* out, size_t outSize, const char* first, const char* second)
{
    size_t firstLength = strlen(first);
    size_t secondLength = strlen(second);
    bool needsSeparator = firstLength == 0 || first[firstLength - 1] != '\\';
    size_t total = firstLength + (needsSeparator ? 1 : 0) + secondLength + 2;
    if (total > outSize) {
        if (outSize >= 2)
            out[0] = out[1] = '\0';
        else if (outSize == 1)
            out[0] = '\0';
        return false;
    }
    // memmove: a caller may join onto its own buffer (out == first).
    memmove(out, first, firstLength);
    size_t at = firstLength;
    if (needsSeparator)
        out[at++] = '\\';
    memmove(out + at, second, secondLength);
    at += secondLength;
    out[at] = out[at + 1] = '\0';
    return true;
}

static bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
static bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

void TitleCaseFolder(char* text)
{
    if (IsLower(text[0]))
        text[0] = (char)(text[0] - 'a' + 'A');
    if (text[0] == '\0')
        return;
    for (char* c = text + 1; *c != '\0'; c++) {
        if (*c == '\\' || *c == ' ') {
            // The character after a separator keeps its case unless lower; it is not examined itself.
            c++;
            if (*c == '\0')
                break;
            if (IsLower(*c))
                *c = (char)(*c - 'a' + 'A');
        } else if (IsUpper(*c)) {
            *c = (char)(*c - 'A' + 'a');
        }
    }
}

void CopyBoundedText(char* out, size_t size, const char* text, size_t textBytes)
{
    if (size == 0)
        return;
    size_t length = 0;
    while (length < textBytes && length < size - 1 && text[length] != '\0')
        length++;
    memcpy(out, text, length);
    out[length] = '\0';
}

bool StoredTextFits(const char* text, size_t textBytes, size_t size)
{
    size_t length = 0;
    while (length < textBytes && text[length] != '\0')
        length++;
    return length < size;
}
