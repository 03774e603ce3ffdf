#include "FixtureFonts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/Files.h"

const char* const kFixtureFaces[] = {"Tsfx Alpha", "tsfx beta", "Tsfx Gamma", "TSFX CASE", "Tsfx Case"};
const int kFixtureFaceCount = 5;

namespace {

const char* const kFiles[] = {"tsfx-alpha.ttf", "tsfx-beta.ttf", "tsfx-gamma.ttf", "tsfx-case-upper.ttf",
                              "tsfx-case-mixed.ttf"};
int g_registered = 0;

class FixtureFontEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        for (const char* file : kFiles) {
            std::string path = ExecutableFolder() + "fixture-fonts\\" + file;
            if (AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr) > 0) {
                m_paths.push_back(path);
                ++g_registered;
            }
        }
    }
    void TearDown() override
    {
        for (const std::string& path : m_paths) RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
    }

private:
    std::vector<std::string> m_paths;
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new FixtureFontEnvironment);

}  // namespace

int RegisteredFixtureFonts()
{
    return g_registered;
}
