// The install folder that the folder page offers: the one an earlier
// installation stored in the registry, exactly, or else the default one.
#include <functional>
#include "e2e.h"
#include "resources/ids.h"
#include "wine_state.h"

static const char ProductValue[] = "Lumen Scout";

// A folder path of exactly length characters that ends with the product's
// name, so that the folder page need not complete it.
static std::string FolderOfLength(size_t length)
{
    const std::string tail = "\\Lumen Scout";
    std::string folder = "C:\\Archive";
    for (int level = 1; folder.size() + 10 + tail.size() <= length; level++)
        folder += "\\Level " + std::to_string(level);
    folder.append(length - tail.size() - folder.size(), 'x');
    return folder + tail;
}

TEST(InstallDir, FolderPageShowsTheStoredFolderExactlyOrTheDefault)
{
    const std::string longest = FolderOfLength(259);
    const std::string unterminated(260, 'U');
    const std::string tooLong = FolderOfLength(300);
    const struct {
        const char* name;
        std::function<bool()> arrange;
        std::string shown;
    } cases[] = {
        {"no publisher key", [] { return true; }, DefaultInstallDir},
        {"the key without the value", [] { return CreateKey(PublisherKeyPath); }, DefaultInstallDir},
        {"a stored folder",
         [] { return StoreText(PublisherKeyPath, ProductValue, "D:\\Tools\\Scout"); },
         "D:\\Tools\\Scout"},
        {"a stored folder in odd case with a trailing backslash",
         [] { return StoreText(PublisherKeyPath, ProductValue, "c:\\APPS\\lumen scout\\"); },
         "c:\\APPS\\lumen scout\\"},
        {"an empty stored value", [] { return StoreText(PublisherKeyPath, ProductValue, ""); }, ""},
        {"a stored folder of 259 characters",
         [&] { return StoreText(PublisherKeyPath, ProductValue, longest); }, longest},
        {"260 bytes of text without a terminator",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_SZ, unterminated.data(), 260);
         },
         DefaultInstallDir},
        {"260 bytes without a terminator, not typed as text",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_BINARY, unterminated.data(), 260);
         },
         DefaultInstallDir},
        {"a stored value of 300 characters",
         [&] { return StoreText(PublisherKeyPath, ProductValue, tooLong); }, DefaultInstallDir},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromCleanState();
        ASSERT_TRUE(c.arrange());
        SetupRun run;
        ASSERT_TRUE(StartWizard(run));
        ASSERT_TRUE(WalkTo(run, FolderPage));
        EXPECT_EQ(c.shown, ControlText(FindControl(run, IDC_FOLDER)));
        if (c.shown == longest)
            SaveFrameScreen(run, "3-folder-259-characters");
        ASSERT_TRUE(Click(run, IDC_CANCEL));
        DWORD exitCode = 0;
        ASSERT_TRUE(WaitForExit(run, &exitCode));
        EXPECT_EQ(1u, exitCode) << "an exit code other than 1 is a crash";
        EndSetup(run);
    }
}
