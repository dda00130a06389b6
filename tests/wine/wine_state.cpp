// What the tests arrange inside the Wine prefix and clear away again.
#include "wine_state.h"
#include <shlobj.h>
#include <vector>

const char PublisherKeyPath[] = "Software\\Ombri\\Programs";
const char PublisherRootPath[] = "Software\\Ombri";

static std::vector<HANDLE> HeldFiles;

void ReleaseHeldFiles()
{
    for (HANDLE file : HeldFiles)
        CloseHandle(file);
    HeldFiles.clear();
}

void ClearProductState()
{
    ReleaseHeldFiles();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PublisherRootPath);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, PublisherRootPath);
    RemoveTree(JoinFolder(ProgramFilesFolder(), "Ombri"));
    RemoveTree(TestArea());
    std::string cleanup = JoinFolder(WindowsFolder(), "LSTCleanup.exe");
    SetFileAttributesA(cleanup.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(cleanup.c_str());
}

bool SetWindowsVersionFor(const char* exeName, const char* version)
{
    std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE*)version,
                                 (DWORD)strlen(version) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::string WindowsPathOf(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

int RunSelfUnderWindowsVersion(const char* version)
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    const char* name = strrchr(self, '\\') ? strrchr(self, '\\') + 1 : self;
    if (!SetWindowsVersionFor(name, version))
        return -1;
    SetEnvironmentVariableA("WINE_TEST_RELAUNCHED", "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::vector<char> commandLine(GetCommandLineA(), GetCommandLineA() + strlen(GetCommandLineA()) + 1);
    if (!CreateProcessA(self, commandLine.data(), NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = (DWORD)-1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)exitCode;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

std::string SystemFolder()
{
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, sizeof folder);
    return folder;
}

std::string ProgramFilesFolder()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_PROGRAM_FILES, NULL, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string TestArea()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return JoinFolder(temp, "lumen-tests");
}

std::string JoinFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool CreateKey(const char* path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL)
        != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool StoreValue(const char* keyPath, const char* name, DWORD type, const void* bytes, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL)
        != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, name, 0, type, (const BYTE*)bytes, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool StoreText(const char* keyPath, const char* name, const std::string& text)
{
    return StoreValue(keyPath, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

bool MakePublisherRootVolatile()
{
    HKEY key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, PublisherRootPath, 0, NULL, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, &disposition) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return disposition == REG_CREATED_NEW_KEY;  // an existing key would keep its old kind
}

bool MakeFolderChain(const std::string& folder)
{
    for (size_t at = folder.find('\\', 3); ; at = folder.find('\\', at + 1)) {
        std::string part = folder.substr(0, at);
        if (!CreateDirectoryA(part.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (at == std::string::npos)
            return true;
    }
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinFolder(path, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, ".."))
                RemoveTree(JoinFolder(path, found.cFileName));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteTextFile(const std::string& path, const std::string& text, bool readOnly)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
    if (readOnly)
        ok = ok && SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    return ok && written == text.size();
}

bool ReadTextFile(const std::string& path, std::string* text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD got = 0;
    text->clear();
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0)
        text->append(buffer, got);
    CloseHandle(file);
    return true;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool HoldFileOpen(const std::string& path)
{
    if (!FileExists(path) && !WriteTextFile(path, "a program that is running"))
        return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    HeldFiles.push_back(file);
    return true;
}

bool PutFile(const std::string& folder, const char* name, FileState state)
{
    std::string path = JoinFolder(folder, name);
    if (!MakeFolderChain(folder))
        return false;
    switch (state) {
    case Held:
        return HoldFileOpen(path);
    case ReadOnly:
        return WriteTextFile(path, "an installed file", true);
    case Present:
        return WriteTextFile(path, "an installed file");
    }
    return false;
}
