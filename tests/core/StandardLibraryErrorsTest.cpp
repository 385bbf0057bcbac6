// The standard library's own errors arrive as the framework's exceptions.
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StandardLibraryErrors, AreFrameworkExceptionsNamingWhatWentWrong)
{
    const std::string text = "Bordeaux";
    try {
        (void)text.substr(text.size() + 1);
        FAIL() << "substr past the end raised nothing";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("basic_string::substr"), std::string::npos) << e.Message();
    }
    const std::vector<int> none;
    EXPECT_THROW((void)none.at(0), Exception);
}

TEST(StandardLibraryErrors, ALengthBeyondTheLimitIsRefused)
{
    std::vector<char> bottles;
    EXPECT_THROW(bottles.reserve(bottles.max_size() + 1), Exception);
}
