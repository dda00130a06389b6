// What the tests arrange inside the Wine prefix and clear away again: the
// publisher's registry key, folders and files, files held open, Windows versions.
#ifndef WINE_TESTS_WINE_STATE_H
#define WINE_TESTS_WINE_STATE_H

#include <windows.h>
#include <string>

// The registry path that setup.exe reads the earlier install folder from.
extern const char PublisherKeyPath[];      // "Software\Ombri\Programs" under HKLM
extern const char PublisherRootPath[];     // "Software\Ombri"

// Removes HKLM\Software\Ombri, the default install folder's publisher folder,
// the test area, the uninstall tool in the Windows folder, and closes every
// file held open: the clean state each test starts from.
void ClearProductState();

// Wine reports the version ("win98", "winxp", "vista", "win7", ...) to the
// program of that file name when it next starts.
bool SetWindowsVersionFor(const char* exeName, const char* version);
// A Unix path (as the build knows it) as Windows sees it under Wine: drive Z:.
std::string WindowsPathOf(const std::string& path);
// Runs this program again under the version and returns its exit code, or -1.
int RunSelfUnderWindowsVersion(const char* version);

// Folders, asked of the system rather than assumed.
std::string WindowsFolder();
std::string SystemFolder();
std::string ProgramFilesFolder();
// The tests' scratch folder, below the temporary folder; ClearProductState empties it.
std::string TestArea();
std::string JoinFolder(const std::string& folder, const std::string& name);

// Registry, all under HKEY_LOCAL_MACHINE.
bool KeyExists(const char* path);
bool StoreValue(const char* keyPath, const char* name, DWORD type, const void* bytes, DWORD size);
bool StoreText(const char* keyPath, const char* name, const std::string& text);
bool CreateKey(const char* path);
// Software\Ombri as a volatile key: no non-volatile key can be made below it,
// which is how a user without the right to create keys looks to the probe.
bool MakePublisherRootVolatile();

// Files.
bool MakeFolderChain(const std::string& folder);
void RemoveTree(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text, bool readOnly = false);
bool ReadTextFile(const std::string& path, std::string* text);
bool FileExists(const std::string& path);
// Opens the file (made when missing) without any sharing and keeps it open
// until ReleaseHeldFiles, as a running program holds its own executable.
bool HoldFileOpen(const std::string& path);
void ReleaseHeldFiles();
// Puts name into folder (made when missing): held open as above, read-only, or plainly present.
enum FileState { Held, ReadOnly, Present };
bool PutFile(const std::string& folder, const char* name, FileState state);

#endif
