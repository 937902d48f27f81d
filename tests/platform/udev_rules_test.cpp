// The udev rules give the seat's user access to every supported device and
// never open the nodes to everyone.

#include <gtest/gtest.h>

#include <fstream>
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
        const std::string line =
            std::string("KERNELS==\"*:0C45:") + product + ".*\", TAG+=\"uaccess\"\n";
        EXPECT_NE(text.find(line), std::string::npos) << product;
    }
    EXPECT_NE(text.find("SUBSYSTEM!=\"hidraw\""), std::string::npos);
}

TEST(UdevRules, NothingIsWorldWritable) {
    // Access comes from the seat ACL alone: the rules set no mode at all.
    EXPECT_EQ(rules().find("MODE"), std::string::npos);
}

}  // namespace
