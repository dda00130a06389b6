// Path and folder text rules: joining a folder and a name, title-casing a folder.
// No <windows.h> here, so the host tests build the same code.
#ifndef SETUP_PATH_TEXT_H
#define SETUP_PATH_TEXT_H

#include <stddef.h>

// Writes first, one backslash unless first already ends with one (an empty
// first gets the backslash), second, then two NULs. A join that would not fit
// outSize bytes with both NULs is refused: out becomes the empty text (when
// outSize allows) and the result is false.
bool JoinPath(char* out, size_t outSize, const char* first, const char* second);

// Upper-cases the first letter and the one after each backslash or blank,
// lower-cases every other ASCII letter; other bytes stay as they are.
void TitleCaseFolder(char* text);

// True when textBytes of a registry text, terminated or not, fit a buffer of
// size bytes with their terminator.
bool StoredTextFits(const char* text, size_t textBytes, size_t size);

// Copies at most size - 1 bytes of a possibly unterminated text and terminates it.
void CopyBoundedText(char* out, size_t size, const char* text, size_t textBytes);

#endif
