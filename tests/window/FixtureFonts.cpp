#include "FixtureFonts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/Files.h"

#define FIXTURE_FACE(file, family) family,
const char* const kFixtureFaces[] = {
#include "fonts/FixtureFaces.h"
};
#undef FIXTURE_FACE
const int kFixtureFaceCount = static_cast<int>(sizeof kFixtureFaces / sizeof kFixtureFaces[0]);

namespace {

#define FIXTURE_FACE(file, family) file,
const char* const kFiles[] = {
#include "fonts/FixtureFaces.h"
};
#undef FIXTURE_FACE
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
