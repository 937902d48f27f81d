// The udev rules give the seat's user access to every supported device and
// never open the nodes to everyone.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string rules() {
    std::ifstream in(std::string(QUILLON_SOURCE_DATA_DIR) + "/udev/70-quillon.rules");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(UdevRules, EverySupportedProductGetsSeatAccess) {
    const std::string text = rules();
    ASSERT_FALSE(text.empty());
    for (const char* product : {"8611", "6556", "6523", "5523", "6656", "764D", "5104"}) {
        const std::regex line(std::string("KERNELS==\"\\*:0C45:") + product +
                              "\\.\\*\", TAG\\+=\"uaccess\"");
        EXPECT_TRUE(std::regex_search(text, line)) << product;
    }
    EXPECT_NE(text.find("SUBSYSTEM!=\"hidraw\""), std::string::npos);
}

TEST(UdevRules, NothingIsWorldWritable) {
    const std::string text = rules();
    // Any MODE whose last digit grants write to others (2, 3, 6, 7).
    EXPECT_FALSE(std::regex_search(text, std::regex("MODE\\s*:?=\\s*\"0?[0-7]{2}[2367]\"")));
}

}  // namespace
