#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

// The application hands the panel and its displays everything they use: no
// file below it fetches a process-wide instance for itself.
TEST(Layering, PanelAndWidgetsFetchNoInstance) {
    std::ostringstream found;
    for (const char* folder : {"panel", "widgets"}) {
        const fs::path root = fs::path(TONVELA_SOURCE_DIR) / folder;
        ASSERT_TRUE(fs::is_directory(root)) << root;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                if (line.find("getInstance(") != std::string::npos)
                    found << entry.path().lexically_relative(TONVELA_SOURCE_DIR).string() << ":"
                          << number << ": " << line << "\n";
        }
    }
    EXPECT_EQ(found.str(), "");
}
