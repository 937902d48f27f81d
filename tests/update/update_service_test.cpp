// The update service's questions and the start-up check, against a scripted
// service.

#include "update/update_service.h"

#include <gtest/gtest.h>

#include "update/fake_service.h"
#include "update/startup_check.h"

namespace quillon::update {
namespace {

using testing::FakeService;

class RecordingOpener final : public platform::UrlOpener {
  public:
    bool open(std::string_view url) override {
        opened.emplace_back(url);
        return true;
    }
    std::vector<std::string> opened;
};

// The GUID of {"UUID":"<guid>","command_type":"Kv021"}; empty for anything else.
std::string registeredGuid(const std::string& command) {
    const std::string head = R"({"UUID":")";
    const std::string tail = R"(","command_type":"Kv021"})";
    if (!command.starts_with(head) || !command.ends_with(tail))
        return {};
    return command.substr(head.size(), command.size() - head.size() - tail.size());
}

// 36 characters: upper-case hexadecimal digits with dashes at 8, 13, 18 and 23.
bool isGuidText(const std::string& text) {
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char c = text[i];
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

UpdateConfig configured() {
    UpdateConfig c;
    c.serviceUrl = "https://updates.example/download/getVersionV1";
    c.downloadPage = "https://example/download";
    return c;
}

TEST(UpdateService, WithoutAnAddressNothingIsAsked) {
    FakeService fake;
    fake.versions["Kv024"] = "3.0.5";
    const UpdateService service({}, fake.exchange());
    EXPECT_EQ(service.queryVersionNumber("Kv024"), std::nullopt);
    EXPECT_EQ(service.queryVersionText("Kv024"), std::nullopt);
    EXPECT_TRUE(fake.commands().empty());
}

TEST(UpdateService, VersionsComeAsTextAndNumber) {
    FakeService fake;
    fake.versions["Kv021"] = "1.0.10";
    const UpdateService service(configured(), fake.exchange());
    EXPECT_EQ(service.queryVersionText("Kv021"), "1.0.10");
    EXPECT_EQ(service.queryVersionNumber("Kv021"), 1010);
    EXPECT_EQ(service.queryVersionNumber("Kv022"), std::nullopt);
    EXPECT_EQ(fake.commands().back(), R"({"command_type":"Kv022","getUrl":1})");
}

TEST(UpdateService, EachUpdateRequestRegistersUnderANewGuid) {
    FakeService fake;
    const UpdateService service(configured(), fake.exchange());
    RecordingOpener opener;
    EXPECT_EQ(service.requestUpdate("Kv021", opener), UpdateRequestResult::pageOpened);
    EXPECT_EQ(service.requestUpdate("Kv021", opener), UpdateRequestResult::pageOpened);

    const auto commands = fake.commands();
    ASSERT_EQ(commands.size(), 4u);  // registration, version query, twice
    const std::string first = registeredGuid(commands[0]);
    const std::string second = registeredGuid(commands[2]);
    EXPECT_TRUE(isGuidText(first)) << commands[0];
    EXPECT_TRUE(isGuidText(second)) << commands[2];
    EXPECT_NE(first, second);
    EXPECT_EQ(commands[1], R"({"command_type":"Kv021","getUrl":1})");
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{"https://example/download", "https://example/download"}));
}

TEST(UpdateService, ARefusedRequestStopsSilently) {
    FakeService fake;
    fake.resultCode = "1";
    const UpdateService service(configured(), fake.exchange());
    RecordingOpener opener;
    EXPECT_EQ(service.requestUpdate("Kv024", opener), UpdateRequestResult::refused);
    EXPECT_EQ(fake.commands().size(), 1u);
    EXPECT_TRUE(opener.opened.empty());

    // Granted, but no page configured: nothing to open, and said so.
    fake.resultCode = "2";
    UpdateConfig noPage = configured();
    noPage.downloadPage.clear();
    EXPECT_EQ(UpdateService(noPage, fake.exchange()).requestUpdate("Kv024", opener),
              UpdateRequestResult::pageNotOpened);
}

TEST(StartupCheck, NotifiesOnlyForNewerVersionsWithinTheLimits) {
    FakeService fake;
    const UpdateService service(configured(), fake.exchange());

    fake.versions["Kv024"] = "3.0.2";
    EXPECT_FALSE(startupCheckFindsUpdate(service, "3.0.2", {}));
    EXPECT_TRUE(startupCheckFindsUpdate(service, "3.0.1", {}));
    fake.versions["Kv024"] = "5.0.0";  // 500: not below the software limit
    EXPECT_FALSE(startupCheckFindsUpdate(service, "3.0.1", {}));

    // An RGB keyboard with firmware 0x0099 and a server version 1.0.0.
    AttachedFirmware rgb;
    rgb.keyboardPresent = 1;
    rgb.keyboardFirmwareVersion = 0x0099;
    fake.versions["Kv021"] = "1.0.0";
    EXPECT_TRUE(startupCheckFindsUpdate(service, "5.0.0", rgb));
    fake.versions["Kv021"] = "1.0.10";  // 1010: above the firmware limit
    EXPECT_FALSE(startupCheckFindsUpdate(service, "5.0.0", rgb));

    // A model 2 mouse is asked for with its own command type.
    AttachedFirmware mouse;
    mouse.mousePresent = 2;
    mouse.mouseFirmwareVersion = 0x0104;
    fake.versions["Kv034"] = "1.0.5";
    EXPECT_TRUE(startupCheckFindsUpdate(service, "5.0.0", mouse));
    EXPECT_EQ(fake.commands().back(), R"({"command_type":"Kv034","getUrl":1})");
}

TEST(StartupCheck, ShortOrOddVersionsNeverCrash) {
    FakeService fake;
    const UpdateService service(configured(), fake.exchange());
    const AttachedFirmware both{1, 0x0001, 1, 0xFFFF};
    for (const char* version : {"0.5", "5", "", ".", "..", "1..", "abc"}) {
        fake.versions["Kv024"] = version;
        fake.versions["Kv021"] = version;
        fake.versions["Kv023"] = version;
        (void)startupCheckFindsUpdate(service, version, both);
    }
    // "0.5" is 5: newer than keyboard firmware 1, within the limit.
    fake.versions["Kv021"] = "0.5";
    EXPECT_TRUE(startupCheckFindsUpdate(service, "9.9.9", {1, 0x0001, 0, 0}));
}

}  // namespace
}  // namespace quillon::update
