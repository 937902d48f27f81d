#include "update/update_service.h"

#include "platform/debug_output.h"
#include "update/guid_text.h"
#include "update/service_answer.h"
#include "update/service_commands.h"
#include "update/version_numbers.h"

namespace quillon::update {

ServiceExchange httpServiceExchange(std::string manualProxy, platform::ProxyResolver* desktop) {
    return [manualProxy = std::move(manualProxy), desktop](
               std::string_view url, std::span<const std::uint8_t> body, std::stop_token stop) {
        return httpExchange(url, body, ProxyFallback{desktop, manualProxy}, HttpSettings{}, stop);
    };
}

UpdateService::UpdateService(UpdateConfig config, ServiceExchange exchange)
    : config_(std::move(config)), exchange_(std::move(exchange)) {}

std::string UpdateService::ask(std::string_view command, std::stop_token stop) const {
    if (config_.serviceUrl.empty() || !exchange_)
        return {};
    const auto body = serviceRequestBody(command);
    HttpResponse response = exchange_(config_.serviceUrl, body, stop);
    if (response.outcome != HttpOutcome::answered)
        return {};
    return std::move(response.body);
}

std::optional<std::string> UpdateService::queryVersionText(std::string_view commandType,
                                                           std::stop_token stop) const {
    return answerVersionText(ask(versionQueryCommand(commandType), stop));
}

std::optional<int> UpdateService::queryVersionNumber(std::string_view commandType,
                                                     std::stop_token stop) const {
    const std::string answer = ask(versionQueryCommand(commandType), stop);
    const auto text = answerVersionText(answer);
    const std::optional<int> number = text ? std::optional(dottedNumber(*text)) : std::nullopt;
    platform::debugOutput("update answer: " + answer.substr(0, answer.find('\0')));
    platform::debugOutput("update version number: " +
                          (number ? std::to_string(*number) : std::string("none")));
    return number;
}

UpdateRequestResult UpdateService::requestUpdate(std::string_view commandType,
                                                 platform::UrlOpener& opener) const {
    const std::string guid = newGuidText();
    platform::debugOutput("update request " + guid);
    const auto code = answerResultCode(ask(registrationCommand(guid, commandType), {}));
    if (code != kRegistrationGranted)
        return UpdateRequestResult::refused;
    // The service expects the version query after a granted registration.
    (void)ask(versionQueryCommand(commandType), {});
    if (config_.downloadPage.empty() || !opener.open(config_.downloadPage))
        return UpdateRequestResult::pageNotOpened;
    return UpdateRequestResult::pageOpened;
}

}  // namespace quillon::update
