// Versions, commands and answers of the update protocol.

#include <gtest/gtest.h>

#include "update/service_answer.h"
#include "update/service_commands.h"
#include "update/update_config.h"
#include "update/update_products.h"
#include "update/version_numbers.h"

namespace quillon::update {
namespace {

TEST(VersionNumbers, ServerAndInstalledVersionsLoseTheirDots) {
    EXPECT_EQ(dottedNumber("1.0.5"), 105);
    EXPECT_EQ(dottedNumber("1.0.10"), 1010);
    EXPECT_EQ(dottedNumber("3.0.12"), 3012);
    EXPECT_EQ(dottedNumber("0.5"), 5);
    EXPECT_EQ(dottedNumber(""), 0);
    EXPECT_EQ(dottedNumber("beta"), 0);
    EXPECT_EQ(dottedNumber("2.1-rc1"), 21);
    EXPECT_EQ(dottedNumber("99999999999999999999"), 2147483647);
}

TEST(VersionNumbers, FirmwareDigitsAreReadAsDecimal) {
    EXPECT_EQ(firmwareNumber(0x0105), 105);
    EXPECT_EQ(firmwareNumber(0x0099), 99);
    EXPECT_EQ(firmwareNumber(0x001A), 1);  // "1a": the leading digit only
    EXPECT_EQ(firmwareNumber(0x00AB), 0);
    EXPECT_EQ(firmwareVersionText(0x0105), "1.0.5");
    EXPECT_EQ(firmwareVersionText(0x1234), "1.2.34");
}

TEST(VersionNumbers, LabelsPutDotsOnlyWhereTheTextReaches) {
    EXPECT_EQ(versionLabel("105"), "V1.0.5");
    EXPECT_EQ(versionLabel("1010"), "V1.0.10");
    EXPECT_EQ(versionLabel("10"), "V1.0");
    EXPECT_EQ(versionLabel("5"), "V5");
    EXPECT_EQ(versionLabel(""), "V");
    EXPECT_EQ(firmwareVersionText(0x0009), "9");
}

TEST(ServiceCommands, CommandsAndBodiesAreByteExact) {
    EXPECT_EQ(versionQueryCommand("Kv021"), R"({"command_type":"Kv021","getUrl":1})");
    EXPECT_EQ(registrationCommand("0F8FAD5B-D9CB-469F-A165-70867728950E", "Kv024"),
              R"({"UUID":"0F8FAD5B-D9CB-469F-A165-70867728950E","command_type":"Kv024"})");
    const auto body = serviceRequestBody(versionQueryCommand("Kv021"));
    const std::string expected =
        std::string("ActiveData=eyJjb21tYW5kX3R5cGUiOiJLdjAyMSIsImdldFVybCI6MX0=") + '\0';
    EXPECT_EQ(std::string(body.begin(), body.end()), expected);
    // Every padding length of the encoding.
    EXPECT_EQ(base64Encode("f"), "Zg==");
    EXPECT_EQ(base64Encode("fo"), "Zm8=");
    EXPECT_EQ(base64Encode("foo"), "Zm9v");
    EXPECT_EQ(base64Encode("\xff\xfe"), "//4=");
}

TEST(ServiceAnswer, OnlyStringMembersOfTheRightPlaceCount) {
    EXPECT_EQ(answerVersionText(R"({"Data":{"version":"1.0.5","url":"x"},"x":1})"), "1.0.5");
    EXPECT_EQ(answerResultCode(R"({"Result_Code":"2"})"), 2);
    EXPECT_EQ(answerVersionText(R"({"version":"1.0.5"})"), std::nullopt);
    EXPECT_EQ(answerVersionText(R"({"Data":{"version":105}})"), std::nullopt);
    EXPECT_EQ(answerResultCode(R"({"Result_Code":2})"), std::nullopt);
    EXPECT_EQ(answerVersionText(""), std::nullopt);
    EXPECT_EQ(answerVersionText("not json"), std::nullopt);
    // The answer ends at its first zero byte.
    EXPECT_EQ(answerVersionText(std::string_view("{\"Data\":{\"version\":\"1\"}}\0{", 27)), "1");
}

TEST(UpdateProducts, TableAndPresenceCodes) {
    ASSERT_EQ(kUpdateProducts.size(), 6u);
    EXPECT_EQ(productEntry(UpdateProduct::software).commandType, "Kv024");
    EXPECT_EQ(productEntry(UpdateProduct::membraneKeyboard).productCode,
              "BrandorEliteRGBComboKeyboard");
    EXPECT_EQ(presentProduct(FirmwareSource::keyboard, 2), UpdateProduct::oneColourKeyboard);
    EXPECT_EQ(presentProduct(FirmwareSource::mouse, 2), UpdateProduct::mouseModel2);
    EXPECT_EQ(presentProduct(FirmwareSource::mouse, 0), std::nullopt);
    EXPECT_EQ(presentProduct(FirmwareSource::keyboard, 4), std::nullopt);
}

TEST(UpdateConfig, AddressesComeFromTheUpdateSection) {
    const UpdateConfig c = updateConfigFromText(
        "[UPDATE]\nurl=https://updates.example/download/getVersionV1\n"
        "page=https://example/download\nproxy=http://proxy:3128\n");
    EXPECT_EQ(c.serviceUrl, "https://updates.example/download/getVersionV1");
    EXPECT_EQ(c.downloadPage, "https://example/download");
    EXPECT_EQ(c.manualProxy, "http://proxy:3128");
    EXPECT_EQ(c.webSite, "");  // missing: not configured, never "0"
    EXPECT_EQ(readUpdateConfig({"/nonexistent"}).serviceUrl, "");
}

}  // namespace
}  // namespace quillon::update
